#include "portd/PortService.h"

#include <algorithm>

namespace portd {
namespace {

struct ParseAnswer {
    Parse parse;
    Status status;
    const char* text;
};

constexpr ParseAnswer kParseAnswers[] = {
    {Parse::BadVersion, Status::BadVersion, "this service speaks protocol version 1"},
    {Parse::UnknownOp, Status::Malformed, "unknown operation"},
    {Parse::BadLength, Status::Malformed, "payload length does not fit the operation"},
    {Parse::Oversized, Status::Malformed, "frame longer than any request"},
};

}  // namespace

CPortService::CPortService(IServiceBackend& backend, PeerPolicy policy, ServiceLimits limits)
    : backend_(backend), policy_(std::move(policy)), limits_(limits), claims_(limits.claimLeaseMs)
{
}

std::optional<ClientId> CPortService::Open(const PeerCredentials& peer, std::int64_t)
{
    if (clients_.size() >= limits_.maxClients) {
        return std::nullopt;
    }
    const ClientId id = nextId_++;
    clients_[id].refusal = RefusalFor(policy_, peer);
    return id;
}

void CPortService::Receive(ClientId id, std::span<const std::uint8_t> bytes, std::int64_t now)
{
    const auto found = clients_.find(id);
    if (found == clients_.end()) {
        return;
    }
    Client& client = found->second;
    const std::size_t taken = std::min(bytes.size(), InputRoom(id));
    client.input.insert(client.input.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(taken));
    Pump(id, now);
}

void CPortService::Close(ClientId id, std::int64_t now)
{
    claims_.Forget(id);
    clients_.erase(id);
    GrantWaiters(now);
}

void CPortService::Tick(std::int64_t now)
{
    if (const auto expired = claims_.ExpireLease(now)) {
        clients_[*expired].revoked = true;
    }
    GrantWaiters(now);
    for (const ClientId id : claims_.ExpireWaits(now)) {
        Client& client = clients_[id];
        Answer(client, client.waiting->op, Status::Busy);
        client.waiting.reset();
        Pump(id, now);
    }
    for (auto& [id, client] : clients_) {
        if (client.partialSince >= 0 && now - client.partialSince >= limits_.partialFrameMs && !client.closing) {
            End(client, TextReply(Op::Hello, Status::Malformed, "frame left incomplete"));
        }
    }
}

std::span<const std::uint8_t> CPortService::Output(ClientId id) const
{
    const auto found = clients_.find(id);
    return found == clients_.end() ? std::span<const std::uint8_t>{} : std::span(found->second.output);
}

void CPortService::Sent(ClientId id, std::size_t count, std::int64_t now)
{
    const auto found = clients_.find(id);
    if (found == clients_.end()) {
        return;
    }
    auto& output = found->second.output;
    output.erase(output.begin(), output.begin() + static_cast<std::ptrdiff_t>(std::min(count, output.size())));
    Pump(id, now);
}

std::size_t CPortService::InputRoom(ClientId id) const
{
    const auto found = clients_.find(id);
    if (found == clients_.end()) {
        return 0;
    }
    const Client& client = found->second;
    if (client.closing || client.waiting || client.output.size() >= limits_.maxOutput ||
        client.input.size() >= limits_.maxInput) {
        return 0;
    }
    return limits_.maxInput - client.input.size();
}

bool CPortService::ShouldClose(ClientId id) const
{
    const auto found = clients_.find(id);
    return found == clients_.end() || (found->second.closing && found->second.output.empty());
}

std::optional<std::int64_t> CPortService::NextDeadline() const
{
    std::optional<std::int64_t> next = claims_.NextDeadline();
    for (const auto& [id, client] : clients_) {
        if (client.partialSince >= 0 && !client.closing) {
            const std::int64_t end = client.partialSince + limits_.partialFrameMs;
            next = next ? std::min(*next, end) : end;
        }
    }
    return next;
}

std::vector<ClientId> CPortService::Clients() const
{
    std::vector<ClientId> ids;
    for (const auto& [id, client] : clients_) {
        ids.push_back(id);
    }
    return ids;
}

void CPortService::Pump(ClientId id, std::int64_t now)
{
    const auto found = clients_.find(id);
    if (found == clients_.end()) {
        return;
    }
    Client& client = found->second;
    while (!client.closing && !client.waiting && client.output.size() < limits_.maxOutput &&
           !client.input.empty()) {
        Request request;
        std::size_t used = 0;
        const Parse parse = ParseRequest(client.input, request, used);
        if (parse == Parse::NeedMore) {
            if (client.partialSince < 0) {
                client.partialSince = now;
            }
            return;
        }
        client.partialSince = -1;
        if (parse != Parse::Complete) {
            for (const auto& answer : kParseAnswers) {
                if (answer.parse == parse) {
                    End(client, TextReply(Op::Hello, answer.status, answer.text));
                }
            }
            client.input.clear();
            return;
        }
        client.input.erase(client.input.begin(), client.input.begin() + static_cast<std::ptrdiff_t>(used));
        Handle(id, client, request, now);
    }
    if (client.input.empty()) {
        client.partialSince = -1;
    }
}

void CPortService::Handle(ClientId id, Client& client, const Request& request, std::int64_t now)
{
    if (!client.refusal.empty()) {
        End(client, RefusalReply(request.op, Status::NotPermitted, Refusal::NotPermitted, client.refusal));
        return;
    }
    const bool heldByOther = claims_.Holder().has_value() && claims_.Holder() != id;
    switch (request.op) {
    case Op::Hello:
        Answer(client, TextReply(Op::Hello, Status::Ok, backend_.Description()));
        return;
    case Op::In:
    case Op::Out:
        if (!hwmon::IsChipPort(request.port)) {
            Answer(client, request.op, Status::PortRefused);
        } else if (client.revoked) {
            Answer(client, request.op, Status::Revoked);
        } else if (heldByOther) {
            Wait(id, client, request, now + limits_.accessWaitMs);
        } else {
            Perform(client, request);
        }
        return;
    case Op::ResetSimulated:
    case Op::SimulateOverheat:
        if (heldByOther) {
            Wait(id, client, request, now + limits_.accessWaitMs);
        } else {
            Perform(client, request);
        }
        return;
    case Op::Claim:
        client.revoked = false;
        if (claims_.Holder() == id) {
            Answer(client, Op::Claim, Status::Ok);
        } else if (claims_.IsFree()) {
            claims_.Grant(id, now);
            Answer(client, Op::Claim, Status::Ok);
        } else {
            Wait(id, client, request, now + std::min<std::int64_t>(request.patienceMs, limits_.maxClaimWaitMs));
        }
        return;
    case Op::Release:
        if (claims_.Holder() == id) {
            claims_.Free();
            Answer(client, Op::Release, Status::Ok);
            GrantWaiters(now);
        } else if (client.revoked) {
            client.revoked = false;
            Answer(client, Op::Release, Status::Revoked);
        } else {
            Answer(client, Op::Release, Status::Ok);
        }
        return;
    }
}

void CPortService::Perform(Client& client, const Request& request)
{
    switch (request.op) {
    case Op::In: {
        std::uint8_t value = 0;
        if (backend_.Port().InPortB(request.port, &value) > 0) {
            Reply reply;
            reply.op = Op::In;
            reply.payload = {value};
            Answer(client, reply);
        } else {
            Answer(client, Op::In, Status::Failed);
        }
        return;
    }
    case Op::Out:
        Answer(client, Op::Out, backend_.Port().OutPortB(request.port, request.value) > 0 ? Status::Ok : Status::Failed);
        return;
    case Op::ResetSimulated:
    case Op::SimulateOverheat: {
        const hwmon::SimulatorAction action = request.op == Op::ResetSimulated ? hwmon::SimulatorAction::PowerOn
                                              : request.value != 0             ? hwmon::SimulatorAction::OverheatOn
                                                                               : hwmon::SimulatorAction::OverheatOff;
        std::string why;
        if (backend_.Simulate(action, why)) {
            Answer(client, request.op, Status::Ok);
        } else {
            Answer(client, TextReply(request.op, Status::Unsupported, why));
        }
        return;
    }
    case Op::Hello:
    case Op::Claim:
    case Op::Release:
        return;
    }
}

void CPortService::Wait(ClientId id, Client& client, const Request& request, std::int64_t deadline)
{
    client.waiting = request;
    claims_.Enqueue(id, deadline);
}

void CPortService::GrantWaiters(std::int64_t now)
{
    std::vector<ClientId> unblocked;
    while (claims_.IsFree()) {
        const auto next = claims_.PopNext();
        if (!next) {
            break;
        }
        Client& client = clients_[*next];
        const Request request = *client.waiting;
        client.waiting.reset();
        if (request.op == Op::Claim) {
            claims_.Grant(*next, now);
            Answer(client, Op::Claim, Status::Ok);
        } else {
            Perform(client, request);
        }
        unblocked.push_back(*next);
    }
    for (const ClientId id : unblocked) {
        Pump(id, now);
    }
}

void CPortService::Answer(Client& client, const Reply& reply)
{
    const auto bytes = EncodeReply(reply);
    client.output.insert(client.output.end(), bytes.begin(), bytes.end());
}

void CPortService::Answer(Client& client, Op op, Status status)
{
    Reply reply;
    reply.op = op;
    reply.status = status;
    Answer(client, reply);
}

void CPortService::End(Client& client, const Reply& reply)
{
    Answer(client, reply);
    client.closing = true;
    client.input.clear();
    client.partialSince = -1;
}

}  // namespace portd
