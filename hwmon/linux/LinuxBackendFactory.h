// The backends as this platform builds them: the simulated chip on a state
// file with the boot clock, and direct access through ioperm.
#pragma once

#include "hwmon/varnio/BackendChoice.h"

namespace hwmon {

class CLinuxBackendFactory : public IBackendFactory {
public:
    std::unique_ptr<IPortIo> OpenSimulated(const std::string& stateFile, std::uint8_t chipId,
                                           std::string& detail, std::string& why) override;
    std::unique_ptr<IPortIo> OpenDirect(std::string& detail, std::string& why) override;
    std::string DefaultStateFile() const override;
};

// Reads the registry and opens what it names; what libvarnio does once per
// process, and what the inspection tool repeats to show why.
BackendChoice OpenConfiguredBackend();

}  // namespace hwmon
