#include "autoplugin/linux/FileLoadSource.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>

namespace autopace {

std::optional<CpuTimes> CFileLoadSource::Read()
{
    // The summary line is the file's first; one read of a few hundred bytes
    // holds it. A FIFO or a file that never ends must not hold the host up.
    const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    std::array<char, 1024> buffer{};
    const ssize_t got = read(fd, buffer.data(), buffer.size());
    close(fd);
    if (got <= 0) {
        return std::nullopt;
    }
    return ParseProcStat(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
}

}  // namespace autopace
