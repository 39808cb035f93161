#include "portd/linux/ListenFds.h"

#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace portd {
namespace {

bool ParseWhole(const char* text, long& value)
{
    if (text == nullptr || *text == '\0') {
        return false;
    }
    const char* end = text + std::strlen(text);
    const auto [ptr, ec] = std::from_chars(text, end, value);
    return ec == std::errc() && ptr == end;
}

}  // namespace

std::vector<int> ListenFdsFor(const EnvironmentLookup& env, long pid)
{
    long listenPid = 0;
    long count = 0;
    if (!ParseWhole(env("LISTEN_PID"), listenPid) || listenPid != pid || !ParseWhole(env("LISTEN_FDS"), count) ||
        count <= 0 || count > 64) {
        return {};
    }
    std::vector<int> fds;
    for (long i = 0; i < count; ++i) {
        fds.push_back(kListenFdsStart + static_cast<int>(i));
    }
    return fds;
}

std::vector<int> TakeListenFds()
{
    const std::vector<int> fds = ListenFdsFor([](const char* name) { return std::getenv(name); }, ::getpid());
    ::unsetenv("LISTEN_PID");
    ::unsetenv("LISTEN_FDS");
    ::unsetenv("LISTEN_FDNAMES");
    for (const int fd : fds) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    return fds;
}

}  // namespace portd
