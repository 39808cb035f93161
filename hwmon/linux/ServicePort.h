// libvarnio's "service" backend: the port service's client. It connects by
// itself and again after the service went away (at most once a second, once
// every ten seconds after a refusal, so a refusing service is not woken by
// every access), and knows at every moment what the service said last: the
// chip it drives, that nobody listens, or why it refuses.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "hwmon/ClaimLock.h"
#include "hwmon/PortIo.h"
#include "hwmon/varnio/BackendStatus.h"
#include "hwmon/varnio/SimulatorAction.h"
#include "portd/PortProtocol.h"

namespace hwmon {

class CServicePort : public IPortIo {
public:
    explicit CServicePort(std::string socketPath);
    ~CServicePort() override;
    CServicePort(const CServicePort&) = delete;
    CServicePort& operator=(const CServicePort&) = delete;

    int OutPortB(int port, int value) override;
    int InPortB(int port, std::uint8_t* value) override;

    // The service's claim for this process. Two claims in one process
    // exclude each other too, as two claim files would.
    IClaimLock::Outcome ClaimChip(std::chrono::milliseconds patience);
    void ReleaseChip();

    // Asks the service (connecting when needed), so it is true now.
    BackendStatus Status();
    // hwmonctl's description: the socket and the status.
    std::string Describe();
    bool Simulate(SimulatorAction action, std::string& why);

    const std::string& SocketPath() const { return socketPath_; }

private:
    bool Connected() const { return fd_ >= 0; }
    bool EnsureConnected();
    bool Connect();
    // One request and its reply, within wait. Any failure drops the connection.
    bool Exchange(const portd::Request& request, portd::Reply& reply, std::chrono::milliseconds wait);
    bool Send(const std::vector<std::uint8_t>& bytes, std::chrono::steady_clock::time_point end);
    bool Receive(portd::Reply& reply, std::chrono::steady_clock::time_point end);
    void Drop(BackendProblem problem, std::string summary, std::chrono::milliseconds retryAfter);
    void TakeHello(const portd::Reply& reply);
    void FreeClaim();

    std::string socketPath_;
    std::mutex mutex_;  // one exchange on the socket at a time
    // One claim holder in this process; a second claimer waits as it would
    // for another process, also on the holder's own thread.
    std::mutex claimGate_;
    std::condition_variable claimFreed_;
    bool claimed_ = false;
    int fd_ = -1;
    std::vector<std::uint8_t> received_;
    BackendStatus status_;
    std::chrono::steady_clock::time_point retryAt_{};
};

// A claim of the process's service connection, for CVarnioPort.
class CServiceClaim : public IClaimLock {
public:
    explicit CServiceClaim(CServicePort& service) : service_(service) {}
    Outcome Acquire(std::chrono::milliseconds patience) override
    {
        const Outcome outcome = service_.ClaimChip(patience);
        holding_ = outcome == Outcome::Held;
        return outcome;
    }
    void Release() override
    {
        if (holding_) {
            holding_ = false;
            service_.ReleaseChip();
        }
    }

private:
    CServicePort& service_;
    bool holding_ = false;
};

}  // namespace hwmon
