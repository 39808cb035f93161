#include "portd/PortProtocol.h"

#include <algorithm>

namespace portd {
namespace {

struct OpShape {
    Op op;
    std::size_t payload;
};

constexpr OpShape kOps[] = {
    {Op::Hello, 0}, {Op::In, 2}, {Op::Out, 3}, {Op::Claim, 2}, {Op::Release, 0}, {Op::ResetSimulated, 0},
    {Op::SimulateOverheat, 1},
};

const OpShape* ShapeOf(std::uint8_t op)
{
    for (const auto& shape : kOps) {
        if (static_cast<std::uint8_t>(shape.op) == op) {
            return &shape;
        }
    }
    return nullptr;
}

constexpr std::uint8_t kLastStatus = static_cast<std::uint8_t>(Status::Unavailable);

std::uint16_t Le16(const std::uint8_t* bytes) { return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)); }

void PutLe16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

}  // namespace

Parse ParseRequest(std::span<const std::uint8_t> bytes, Request& request, std::size_t& consumed)
{
    consumed = 0;
    if (bytes.size() >= 1 && bytes[0] != kProtocolVersion) {
        return Parse::BadVersion;
    }
    if (bytes.size() < kRequestHeaderSize) {
        return Parse::NeedMore;
    }
    const OpShape* shape = ShapeOf(bytes[1]);
    if (shape == nullptr) {
        return Parse::UnknownOp;
    }
    const std::size_t length = Le16(&bytes[2]);
    if (length > kMaxRequestPayload) {
        return Parse::Oversized;
    }
    if (length != shape->payload) {
        return Parse::BadLength;
    }
    if (bytes.size() < kRequestHeaderSize + length) {
        return Parse::NeedMore;
    }
    const std::uint8_t* payload = bytes.data() + kRequestHeaderSize;
    Request parsed;
    parsed.op = shape->op;
    switch (shape->op) {
    case Op::In:
        parsed.port = Le16(payload);
        break;
    case Op::Out:
        parsed.port = Le16(payload);
        parsed.value = payload[2];
        break;
    case Op::Claim:
        parsed.patienceMs = Le16(payload);
        break;
    case Op::SimulateOverheat:
        parsed.value = payload[0];
        break;
    case Op::Hello:
    case Op::Release:
    case Op::ResetSimulated:
        break;
    }
    request = parsed;
    consumed = kRequestHeaderSize + length;
    return Parse::Complete;
}

std::vector<std::uint8_t> EncodeRequest(const Request& request)
{
    std::vector<std::uint8_t> out{kProtocolVersion, static_cast<std::uint8_t>(request.op)};
    std::vector<std::uint8_t> payload;
    switch (request.op) {
    case Op::In:
        PutLe16(payload, request.port);
        break;
    case Op::Out:
        PutLe16(payload, request.port);
        payload.push_back(request.value);
        break;
    case Op::Claim:
        PutLe16(payload, request.patienceMs);
        break;
    case Op::SimulateOverheat:
        payload.push_back(request.value);
        break;
    case Op::Hello:
    case Op::Release:
    case Op::ResetSimulated:
        break;
    }
    PutLe16(out, static_cast<std::uint16_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

Parse ParseReply(std::span<const std::uint8_t> bytes, Reply& reply, std::size_t& consumed)
{
    consumed = 0;
    if (bytes.size() < kReplyHeaderSize) {
        return Parse::NeedMore;
    }
    // A service of another version still says so in this header, with
    // BadVersion, so the client can name both versions.
    const bool versionMatches = bytes[0] == kProtocolVersion;
    if (!versionMatches && bytes[2] != static_cast<std::uint8_t>(Status::BadVersion)) {
        return Parse::BadVersion;
    }
    if (ShapeOf(bytes[1]) == nullptr || bytes[2] > kLastStatus) {
        return Parse::UnknownOp;
    }
    const std::size_t length = Le16(&bytes[3]);
    if (length > kMaxReplyPayload) {
        return Parse::Oversized;
    }
    if (bytes.size() < kReplyHeaderSize + length) {
        return Parse::NeedMore;
    }
    Reply parsed;
    parsed.version = bytes[0];
    parsed.op = static_cast<Op>(bytes[1]);
    parsed.status = static_cast<Status>(bytes[2]);
    parsed.payload.assign(bytes.begin() + kReplyHeaderSize, bytes.begin() + kReplyHeaderSize + length);
    if (parsed.op == Op::In && parsed.status == Status::Ok && length != 1) {
        return Parse::BadLength;
    }
    reply = std::move(parsed);
    consumed = kReplyHeaderSize + length;
    return Parse::Complete;
}

std::vector<std::uint8_t> EncodeReply(const Reply& reply)
{
    const std::size_t length = std::min(reply.payload.size(), kMaxReplyPayload);
    std::vector<std::uint8_t> out{reply.version, static_cast<std::uint8_t>(reply.op),
                                  static_cast<std::uint8_t>(reply.status)};
    PutLe16(out, static_cast<std::uint16_t>(length));
    out.insert(out.end(), reply.payload.begin(), reply.payload.begin() + static_cast<std::ptrdiff_t>(length));
    return out;
}

Reply TextReply(Op op, Status status, const std::string& text)
{
    Reply reply;
    reply.op = op;
    reply.status = status;
    reply.payload.assign(text.begin(), text.end());
    return reply;
}

Reply RefusalReply(Op op, Status status, Refusal why, const std::string& text)
{
    Reply reply = TextReply(op, status, text);
    reply.payload.insert(reply.payload.begin(), static_cast<std::uint8_t>(why));
    return reply;
}

std::string PayloadText(const Reply& reply) { return std::string(reply.payload.begin(), reply.payload.end()); }

bool ReadRefusal(const Reply& reply, Refusal& why, std::string& text)
{
    if (reply.payload.empty() || reply.payload[0] < static_cast<std::uint8_t>(Refusal::NotPermitted) ||
        reply.payload[0] > static_cast<std::uint8_t>(Refusal::Other)) {
        return false;
    }
    why = static_cast<Refusal>(reply.payload[0]);
    text.assign(reply.payload.begin() + 1, reply.payload.end());
    return true;
}

}  // namespace portd
