// The backends as this platform builds them: the simulated chip on a state
// file with the boot clock, direct access through ioperm, and the port
// service's client.
#pragma once

#include <string>

#include "hwmon/linux/ServicePort.h"
#include "hwmon/varnio/BackendChoice.h"
#include "hwmon/varnio/SimulatorAction.h"

namespace hwmon {

class CLinuxBackendFactory : public IBackendFactory {
public:
    std::unique_ptr<IPortIo> OpenSimulated(const std::string& stateFile, std::uint8_t chipId,
                                           BackendOpening& opening) override;
    std::unique_ptr<IPortIo> OpenDirect(BackendOpening& opening) override;
    std::unique_ptr<IPortIo> OpenService(const std::string& socketPath, BackendOpening& opening) override;
    bool ServiceSocketExists(const std::string& socketPath) const override;
    std::string DefaultStateFile() const override;

    // The service client the last OpenService made (owned by its caller).
    CServicePort* LastService() const { return lastService_; }

private:
    CServicePort* lastService_ = nullptr;
};

// Reads the registry and opens what it names: what the process's backend
// does once (ProcessBackend.h).
BackendChoice OpenConfiguredBackend(CLinuxBackendFactory& factory);

std::string ReadProcIoports();

// The simulated chip in its state file back to its power-on values (as a
// board's firmware leaves the chip on resume), or its cooler failing or
// working again.
bool ApplySimulatorAction(const std::string& stateFile, std::uint8_t chipId, SimulatorAction action,
                          std::string& why);

}  // namespace hwmon
