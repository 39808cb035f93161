#include "FlockInstanceBlock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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

bool PrivateFolder(const std::string& path, uid_t uid) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == uid && (st.st_mode & 077) == 0;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Opens without following a link and without blocking on a FIFO; only a
// regular file is a block.
int OpenRegular(const std::string& path, int flags) {
    const int fd = open(path.c_str(), flags | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0) return -1;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}
}  // namespace

CFlockInstanceBlock::CFlockInstanceBlock(std::string folder, uid_t uid)
    : folder_(folder.empty() ? DefaultFolder() : std::move(folder)), uid_(uid) {
    if (folder_.empty())
        std::fprintf(stderr, "Velmar: no folder of this user's own for the single-instance lock "
                             "(XDG_RUNTIME_DIR, /tmp/velmar-%u); a second start is not kept out\n",
                     static_cast<unsigned>(uid_));
}

CFlockInstanceBlock::~CFlockInstanceBlock() { CloseOpened(); }

std::string CFlockInstanceBlock::FirstPrivateFolder(const std::vector<Candidate>& candidates, uid_t uid) {
    for (const Candidate& candidate : candidates) {
        if (candidate.path.empty()) continue;
        if (candidate.create) mkdir(candidate.path.c_str(), 0700);
        if (PrivateFolder(candidate.path, uid)) return candidate.path;
    }
    return {};
}

std::string CFlockInstanceBlock::DefaultFolder() {
    const uid_t uid = geteuid();
    std::string cache = Environment("XDG_CACHE_HOME");
    if (cache.empty() && !Environment("HOME").empty()) cache = Environment("HOME") + "/.cache";
    return FirstPrivateFolder({{Environment("XDG_RUNTIME_DIR"), false},
                               {"/tmp/velmar-" + std::to_string(uid), true},
                               {cache.empty() ? std::string() : cache + "/velmar", true}},
                              uid);
}

std::string CFlockInstanceBlock::PathOf(const std::string& name) const {
    const std::string path = folder_ + "/" + name;
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || st.st_uid == uid_) return path;
    static bool told = false;
    const std::string own = path + "-" + std::to_string(uid_);
    if (!told)
        std::fprintf(stderr, "Velmar: %s belongs to user %u, not to this user; the single-instance lock is %s\n",
                     path.c_str(), static_cast<unsigned>(st.st_uid), own.c_str());
    told = true;
    return own;
}

bool CFlockInstanceBlock::OpenExisting(const std::string& name) {
    CloseOpened();
    if (folder_.empty()) return false;
    const int fd = OpenRegular(PathOf(name), O_RDONLY);
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
    if (folder_.empty()) return false;
    const std::string path = PathOf(name);
    // Close-on-exec: a program the host starts must not inherit the lock and
    // keep the next start out after the host has ended.
    const int fd = OpenRegular(path, O_RDWR | O_CREAT);
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
