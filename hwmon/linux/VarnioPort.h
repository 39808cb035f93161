// The chip logic's port interface on top of libvarnio: what the fan-control
// plug-in and the inspection tool hand to CChipAccessor and CFanController.
// Claims lock a file that every program of this system locks before it works
// on the chip, so the plug-in inside Velmar and hwmonctl beside it never
// interleave their index and data accesses.
#pragma once

#include <chrono>
#include <string>

#include "hwmon/PortIo.h"
#include "hwmon/linux/FileLock.h"

namespace hwmon {

// The claim file for the backend the registry names (see ClaimFileFor).
std::string ConfiguredClaimFile();

class CVarnioPort : public IPortIo {
public:
    // A chip operation takes milliseconds; a claim that waits a second longer
    // than that meets a holder that hangs, and gives up.
    explicit CVarnioPort(std::string claimFile = ConfiguredClaimFile(),
                         std::chrono::milliseconds patience = std::chrono::seconds(1));

    int OutPortB(int port, int value) override;
    int InPortB(int port, std::uint8_t* value) override;
    void Claim() override;
    void Release() override;

private:
    CFileLock lock_;
    std::chrono::milliseconds patience_;
    int depth_ = 0;
    bool refused_ = false;  // the outer claim found the pair busy
};

}  // namespace hwmon
