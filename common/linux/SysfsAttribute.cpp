#include "SysfsAttribute.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kMaxAttributeBytes = 4096;

}  // namespace

bool ReadSysfsAttribute(const std::string& path, std::string& text)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    std::string buffer(kMaxAttributeBytes, '\0');
    std::size_t filled = 0;
    while (filled < buffer.size()) {
        ssize_t got = ::read(fd, buffer.data() + filled, buffer.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            ::close(fd);
            return false;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    ::close(fd);
    buffer.resize(filled);
    while (!buffer.empty() && (buffer.back() == '\n' || buffer.back() == '\r')) buffer.pop_back();
    text = buffer;
    return true;
}

bool ReadSysfsHex(const std::string& path, std::uint32_t& value)
{
    std::string text;
    if (!ReadSysfsAttribute(path, text) || text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    unsigned long parsed = std::strtoul(text.c_str(), &end, 16);
    if (errno != 0 || end == text.c_str() || *end != '\0' || parsed > 0xFFFFFFFFul) return false;
    value = static_cast<std::uint32_t>(parsed);
    return true;
}
