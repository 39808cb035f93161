// An exclusive lock that other processes see: flock on a file of its own.
// Each instance opens the file itself, so two instances exclude each other
// even inside one process.
#pragma once

#include <chrono>
#include <string>

namespace hwmon {

class CFileLock {
public:
    enum class Outcome {
        Held,         // ours until Release
        Busy,         // another holder kept it for the whole wait
        Unavailable,  // the file cannot be opened or locked at all
    };

    explicit CFileLock(std::string path);
    ~CFileLock();
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

    Outcome Acquire(std::chrono::milliseconds patience);
    void Release();

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace hwmon
