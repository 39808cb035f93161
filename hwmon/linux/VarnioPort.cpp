#include "hwmon/linux/VarnioPort.h"

#include <unistd.h>

#include <cstdlib>

#include "hwmon/Varnio.h"
#include "hwmon/linux/FileLock.h"
#include "hwmon/linux/ProcessBackend.h"
#include "hwmon/varnio/BackendChoice.h"

namespace hwmon {

std::string ConfiguredClaimFile()
{
    const std::string stateFile = DefaultStateFile([](const char* name) { return std::getenv(name); },
                                                   static_cast<unsigned>(::getuid()));
    return ClaimFileFor(ReadBackendSettings(), stateFile);
}

CVarnioPort::CVarnioPort()
{
    ProcessClaimLock claim = ProcessNewClaimLock();
    lock_ = std::move(claim.lock);
    patience_ = claim.patience;
}

CVarnioPort::CVarnioPort(std::string claimFile, std::chrono::milliseconds patience)
    : lock_(std::make_unique<CFileLock>(std::move(claimFile))), patience_(patience)
{
}

int CVarnioPort::OutPortB(int port, int value) { return refused_ ? 0 : ::OutPortB(port, value); }

int CVarnioPort::InPortB(int port, std::uint8_t* value) { return refused_ ? 0 : ::InPortB(port, value); }

void CVarnioPort::Claim()
{
    if (depth_++ > 0) {
        return;
    }
    // A lock file that cannot be made (a read-only run folder), or a
    // service that cannot be reached, must not stop fan control by itself;
    // only a holder that keeps the pair does.
    refused_ = lock_->Acquire(patience_) == IClaimLock::Outcome::Busy;
}

void CVarnioPort::Release()
{
    if (depth_ == 0 || --depth_ > 0) {
        return;
    }
    if (!refused_) {
        lock_->Release();
    }
    refused_ = false;
}

}  // namespace hwmon
