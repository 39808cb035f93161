// The chip logic's port interface on top of libvarnio: what the fan-control
// plug-in and the inspection tool hand to CChipAccessor and CFanController.
// Claims keep this system's programs off each other's index/data sequences:
// on the port service they are the service's claims, held on the process's
// connection; on a local backend they lock a file every program locks.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "hwmon/ClaimLock.h"
#include "hwmon/PortIo.h"

namespace hwmon {

// The claim file for the backend the registry names (see ClaimFileFor).
std::string ConfiguredClaimFile();

class CVarnioPort : public IPortIo {
public:
    // The claims of the process's backend.
    CVarnioPort();
    // A claim file of its own; a claim that waits longer than patience meets
    // a holder that hangs, and gives up.
    explicit CVarnioPort(std::string claimFile, std::chrono::milliseconds patience = std::chrono::seconds(1));

    int OutPortB(int port, int value) override;
    int InPortB(int port, std::uint8_t* value) override;
    void Claim() override;
    void Release() override;

private:
    std::unique_ptr<IClaimLock> lock_;
    std::chrono::milliseconds patience_;
    int depth_ = 0;
    bool refused_ = false;  // the outer claim found the pair busy
};

}  // namespace hwmon
