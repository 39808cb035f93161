// The port service's whole behaviour, free of sockets: what each client may
// do, in which order clients reach the chip, and when a connection ends. The
// socket server feeds it bytes and time and sends what it answers.
//
// - Only ports 0x295 and 0x296 are touched; any other port is answered
//   PortRefused without reaching the backend.
// - A peer that is neither root nor in the allowed group gets NotPermitted
//   with the reason, and its connection ends.
// - A client that claims the chip has it to itself: the others' claims and
//   accesses wait (in arrival order) until it releases, disconnects, or its
//   lease runs out. After a lease ran out, that client's accesses are
//   answered Revoked, without touching the chip, until it releases.
// - A malformed, oversized or other-version frame ends that connection only;
//   so does a frame left half-sent for longer than the partial-frame limit.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "hwmon/PortIo.h"
#include "hwmon/varnio/SimulatorAction.h"
#include "portd/ClaimTable.h"
#include "portd/PeerPolicy.h"
#include "portd/PortProtocol.h"

namespace portd {

// The chip as the service drives it.
class IServiceBackend {
public:
    virtual ~IServiceBackend() = default;
    virtual hwmon::IPortIo& Port() = 0;
    // What Hello answers: the backend kind ("direct" or "simulated"), a line
    // break and the chip ("W83627EHF id 0xA1").
    virtual std::string Description() const = 0;
    // Only a simulated chip can be reset or made to overheat; why says so
    // otherwise.
    virtual bool Simulate(hwmon::SimulatorAction action, std::string& why) = 0;
};

struct ServiceLimits {
    std::int64_t claimLeaseMs = 2000;
    std::int64_t maxClaimWaitMs = 10000;
    std::int64_t accessWaitMs = 5000;
    std::int64_t partialFrameMs = 5000;
    std::size_t maxClients = 128;
    std::size_t maxInput = 4096;
    std::size_t maxOutput = 64 * 1024;
};

class CPortService {
public:
    CPortService(IServiceBackend& backend, PeerPolicy policy, ServiceLimits limits = {});

    // Null when the service already has as many clients as it serves.
    std::optional<ClientId> Open(const PeerCredentials& peer, std::int64_t now);
    // Bytes the client sent; at most InputRoom of them are taken.
    void Receive(ClientId client, std::span<const std::uint8_t> bytes, std::int64_t now);
    // The client's connection is gone: its claim and waits end with it.
    void Close(ClientId client, std::int64_t now);
    // Leases, waits and half-sent frames that ran out by now.
    void Tick(std::int64_t now);

    // What to send; Sent(n) drops the first n bytes once they are out.
    std::span<const std::uint8_t> Output(ClientId client) const;
    void Sent(ClientId client, std::size_t count, std::int64_t now);
    // How many bytes the client may send now: none while its request waits
    // or its answers pile up unread.
    std::size_t InputRoom(ClientId client) const;
    // Its last answer is out and the connection should end.
    bool ShouldClose(ClientId client) const;

    std::optional<std::int64_t> NextDeadline() const;
    std::vector<ClientId> Clients() const;
    std::optional<ClientId> Holder() const { return claims_.Holder(); }

private:
    struct Client {
        std::string refusal;  // empty when served
        std::vector<std::uint8_t> input;
        std::vector<std::uint8_t> output;
        std::optional<Request> waiting;
        bool revoked = false;
        bool closing = false;
        std::int64_t partialSince = -1;
    };

    void Pump(ClientId id, std::int64_t now);
    void Handle(ClientId id, Client& client, const Request& request, std::int64_t now);
    void Perform(Client& client, const Request& request);
    void Wait(ClientId id, Client& client, const Request& request, std::int64_t deadline);
    void GrantWaiters(std::int64_t now);
    void Answer(Client& client, const Reply& reply);
    void Answer(Client& client, Op op, Status status);
    void End(Client& client, const Reply& reply);

    IServiceBackend& backend_;
    PeerPolicy policy_;
    ServiceLimits limits_;
    CClaimTable claims_;
    std::map<ClientId, Client> clients_;
    ClientId nextId_ = 1;
};

}  // namespace portd
