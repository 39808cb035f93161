#include "FlockInstanceBlock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <map>

namespace {
// Blocks this process created: held open, and locked, until the process ends.
// Keyed with the creating process's id, since a forked child inherits the map
// but did not create the block.
struct HeldBlock {
    int fd;
    pid_t owner;
};
std::map<std::string, HeldBlock>& HeldBlocks() {
    static std::map<std::string, HeldBlock> held;
    return held;
}
}  // namespace

CFlockInstanceBlock::CFlockInstanceBlock(std::string folder)
    : folder_(folder.empty() ? DefaultFolder() : std::move(folder)) {}

CFlockInstanceBlock::~CFlockInstanceBlock() { CloseOpened(); }

std::string CFlockInstanceBlock::DefaultFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime != nullptr && *runtime != '\0' ? runtime : "/tmp";
}

std::string CFlockInstanceBlock::PathOf(const std::string& name) const { return folder_ + "/" + name; }

bool CFlockInstanceBlock::OpenExisting(const std::string& name) {
    CloseOpened();
    const int fd = open(PathOf(name).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    // A file whose lock can be taken belongs to no running process.
    if (flock(fd, LOCK_SH | LOCK_NB) == 0) {
        flock(fd, LOCK_UN);
        close(fd);
        return false;
    }
    opened_ = fd;
    return true;
}

void CFlockInstanceBlock::CloseOpened() {
    if (opened_ >= 0) close(opened_);
    opened_ = -1;
}

bool CFlockInstanceBlock::Create(const std::string& name, std::uint64_t windowId) {
    const std::string path = PathOf(name);
    // Close-on-exec: a program the host starts must not inherit the lock and
    // keep the next start out after the host has ended.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    unsigned char bytes[8];
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<unsigned char>(windowId >> (8 * i));
    if (ftruncate(fd, 0) != 0 || pwrite(fd, bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
        // The lock is what protects; an unwritten id only loses the window id.
    }
    HeldBlocks()[path] = {fd, getpid()};  // never closed: the lock lives as long as the process
    return true;
}

bool CFlockInstanceBlock::CreatedHere(const std::string& name) const {
    const auto found = HeldBlocks().find(PathOf(name));
    return found != HeldBlocks().end() && found->second.owner == getpid();
}
