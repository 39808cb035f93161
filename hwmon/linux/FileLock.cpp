#include "hwmon/linux/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace hwmon {

CFileLock::CFileLock(std::string path) : path_(std::move(path)) {}

CFileLock::~CFileLock()
{
    if (fd_ >= 0) {
        ::close(fd_);  // also drops the lock
    }
}

CFileLock::Outcome CFileLock::Acquire(std::chrono::milliseconds patience)
{
    if (fd_ < 0) {
        fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd_ < 0) {
            return Outcome::Unavailable;
        }
    }
    // Polling keeps the wait bounded without signals; holders keep the lock
    // for milliseconds, so a short step costs little.
    const auto end = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            return Outcome::Held;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return Outcome::Unavailable;
        }
        if (std::chrono::steady_clock::now() >= end) {
            return Outcome::Busy;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
}

void CFileLock::Release()
{
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_UN);
    }
}

}  // namespace hwmon
