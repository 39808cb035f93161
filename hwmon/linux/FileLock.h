// An exclusive lock that other processes see: flock on a file of its own.
// Each instance opens the file itself, so two instances exclude each other
// even inside one process.
#pragma once

#include <chrono>
#include <string>

#include "hwmon/ClaimLock.h"

namespace hwmon {

// Unavailable: the file cannot be opened or locked at all.
class CFileLock : public IClaimLock {
public:
    explicit CFileLock(std::string path);
    ~CFileLock() override;
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

    Outcome Acquire(std::chrono::milliseconds patience) override;
    void Release() override;

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace hwmon
