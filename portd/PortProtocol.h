// The port service's wire format: the only thing an unprivileged program can
// send to code that runs as root, so it is small, versioned and checked to
// the byte before anything acts on it.
//
// Request: version (1 byte), operation (1 byte), payload length (2 bytes,
// little-endian), payload. Each operation has exactly one payload length.
// Reply: version, operation it answers, status, payload length (2 bytes,
// little-endian), payload.
//
// The parsers are pure functions over a byte buffer, with no I/O, so they can
// be tested and fuzzed on their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace portd {

inline constexpr std::uint8_t kProtocolVersion = 1;
inline constexpr std::size_t kRequestHeaderSize = 4;
inline constexpr std::size_t kReplyHeaderSize = 5;
// No request carries more than a port and a value; a longer announced
// payload is an attack or another protocol, and ends the connection at once.
inline constexpr std::size_t kMaxRequestPayload = 8;
inline constexpr std::size_t kMaxReplyPayload = 512;

enum class Op : std::uint8_t {
    Hello = 1,           // -> Ok with the service's backend description
    In = 2,              // port (2 bytes) -> Ok with the value (1 byte)
    Out = 3,             // port (2 bytes), value (1 byte)
    Claim = 4,           // patience in ms (2 bytes): how long to wait for another holder
    Release = 5,         //
    ResetSimulated = 6,  // the simulated chip back to its power-on values
    SimulateOverheat = 7,  // 1 byte: 1 = the simulated processor's cooler fails, 0 = works again
};

enum class Status : std::uint8_t {
    Ok = 0,
    PortRefused = 1,   // not 0x295/0x296: nothing was touched
    NotPermitted = 2,  // the peer may not use the service; the connection ends
    Busy = 3,          // another client kept the chip for the whole wait
    Revoked = 4,       // this client's claim outlived its lease; nothing was done
    Failed = 5,        // the chip access failed
    Unsupported = 6,   // e.g. a reset of a real chip; payload says why
    BadVersion = 7,    // the reply's version byte is the service's; the connection ends
    Malformed = 8,     // the request could not be read; the connection ends
    Unavailable = 9,   // the service cannot drive the chip at all; the connection ends
};

// Why a service refuses: the first payload byte of NotPermitted and
// Unavailable replies, before the text.
enum class Refusal : std::uint8_t {
    NotPermitted = 1,
    DriverHoldsPorts = 2,
    NoPortAccess = 3,
    NoChip = 4,
    ChipBusy = 5,
    Other = 6,
};

struct Request {
    Op op = Op::Hello;
    std::uint16_t port = 0;
    std::uint8_t value = 0;
    std::uint16_t patienceMs = 0;
};

struct Reply {
    Op op = Op::Hello;
    Status status = Status::Ok;
    std::uint8_t version = kProtocolVersion;
    std::vector<std::uint8_t> payload;
};

enum class Parse {
    Complete,    // one frame read; consumed says how many bytes it took
    NeedMore,    // a frame has begun; nothing is wrong yet
    BadVersion,  // another protocol version
    UnknownOp,
    BadLength,   // the length does not fit the operation
    Oversized,   // the announced length exceeds every frame of the protocol
};

Parse ParseRequest(std::span<const std::uint8_t> bytes, Request& request, std::size_t& consumed);
std::vector<std::uint8_t> EncodeRequest(const Request& request);

Parse ParseReply(std::span<const std::uint8_t> bytes, Reply& reply, std::size_t& consumed);
// Payloads beyond kMaxReplyPayload are cut there.
std::vector<std::uint8_t> EncodeReply(const Reply& reply);

// Reply payload helpers.
Reply TextReply(Op op, Status status, const std::string& text);
Reply RefusalReply(Op op, Status status, Refusal why, const std::string& text);
// A payload as text (Hello, Unsupported), or after the refusal byte.
std::string PayloadText(const Reply& reply);
bool ReadRefusal(const Reply& reply, Refusal& why, std::string& text);

}  // namespace portd
