// The chip the port service drives, as its command line names it: the real
// W83627EHF through ioperm, or a simulated one in a state file. The real one
// is opened only when no kernel driver holds its ports and a W83627EHF
// answers; the service then keeps the direct backend's claim file locked
// for as long as it runs, so a root program with the direct backend cannot
// become a second master beside it.
#pragma once

#include <memory>
#include <string>

#include "hwmon/linux/FileLock.h"
#include "hwmon/varnio/BackendStatus.h"
#include "portd/PortService.h"
#include "portd/ServiceOptions.h"

namespace portd {

class CServiceBackend : public IServiceBackend {
public:
    // Null with the refusal when the chip cannot be driven.
    static std::unique_ptr<CServiceBackend> Open(const ServiceOptions& options, hwmon::BackendRefusal& refusal);

    hwmon::IPortIo& Port() override { return *port_; }
    std::string Description() const override { return description_; }
    bool Simulate(hwmon::SimulatorAction action, std::string& why) override;

private:
    CServiceBackend() = default;

    std::unique_ptr<hwmon::IPortIo> port_;
    std::unique_ptr<hwmon::CFileLock> directClaim_;
    std::string description_;
    std::string stateFile_;  // empty for the real chip
    std::uint8_t chipId_ = 0xA1;
};

// How a refusal travels to the clients.
Refusal WireRefusal(hwmon::BackendProblem problem);

// The simulated chip's state file when none is given: beside the socket.
std::string DefaultServiceStateFile(const std::string& socketPath);

}  // namespace portd
