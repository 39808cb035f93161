#include "LinuxSystemFacts.h"

#include "LinuxSystemUserDirs.h"

#include <arpa/inet.h>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <netdb.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct FolderRow {
    SpecialFolder folder;
    const char* xdgName;  // null: a fixed folder
    const char* fixed;    // the fixed folder, or the default below home
};

constexpr FolderRow kFolders[] = {
    {SpecialFolder::Desktop, "XDG_DESKTOP_DIR", "/Desktop"},
    {SpecialFolder::Templates, "XDG_TEMPLATES_DIR", nullptr},
    {SpecialFolder::Pictures, "XDG_PICTURES_DIR", nullptr},
    {SpecialFolder::Music, "XDG_MUSIC_DIR", nullptr},
    {SpecialFolder::System, nullptr, "/usr/lib"},
    {SpecialFolder::ProgramFiles, nullptr, "/opt"},
};

const FolderRow* FindFolder(SpecialFolder folder)
{
    for (const FolderRow& row : kFolders)
        if (row.folder == folder) return &row;
    return nullptr;
}

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && home[0] == '/') return home;
    struct passwd entry {};
    struct passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return {};
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

bool CLinuxSystemFacts::ExecutablePath(std::string& path)
{
    std::string buffer(PATH_MAX, '\0');
    ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) return false;
    buffer.resize(static_cast<std::size_t>(length));
    path = buffer;
    return true;
}

bool CLinuxSystemFacts::WindowsDirectory(std::string&) { return false; }

bool CLinuxSystemFacts::SpecialFolderPath(SpecialFolder folder, std::string& path)
{
    const FolderRow* row = FindFolder(folder);
    if (!row) return false;
    if (!row->xdgName) {
        path = row->fixed;
        return true;
    }
    const std::string home = HomeFolder();
    if (home.empty()) return false;
    const auto folders = ParseUserDirs(ReadFile(UserDirsFile(std::getenv("XDG_CONFIG_HOME"), home)), home);
    if (auto found = folders.find(row->xdgName); found != folders.end()) {
        path = found->second;
        return true;
    }
    if (!row->fixed) return false;
    path = home + row->fixed;
    return true;
}

std::string CLinuxSystemFacts::DescribeSpecialFolder(SpecialFolder folder)
{
    const FolderRow* row = FindFolder(folder);
    if (!row) return {};
    if (!row->xdgName) return "fixed folder";
    return std::string(row->xdgName) + " of the XDG user folders";
}

bool CLinuxSystemFacts::HostName(std::string& name)
{
    char buffer[257] = {};
    if (::gethostname(buffer, sizeof buffer - 1) != 0) return false;
    name = buffer;
    return true;
}

bool CLinuxSystemFacts::FirstIPv4Address(const std::string& hostName, std::string& dotted)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* results = nullptr;
    if (::getaddrinfo(hostName.c_str(), nullptr, &hints, &results) != 0 || !results) return false;
    bool found = false;
    for (addrinfo* entry = results; entry && !found; entry = entry->ai_next) {
        if (entry->ai_family != AF_INET || !entry->ai_addr) continue;
        char text[INET_ADDRSTRLEN] = {};
        const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
        if (::inet_ntop(AF_INET, &address->sin_addr, text, sizeof text)) {
            dotted = text;
            found = true;
        }
    }
    ::freeaddrinfo(results);
    return found;
}

bool CLinuxSystemFacts::UserName(std::string& name)
{
    struct passwd entry {};
    struct passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) != 0 || !found || !found->pw_name)
        return false;
    name = found->pw_name;
    return true;
}

std::uint64_t CLinuxSystemFacts::MillisecondsSinceBoot()
{
    timespec now{};
    if (::clock_gettime(CLOCK_BOOTTIME, &now) != 0) return 0;
    return static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
}

bool CLinuxSystemFacts::LocalTime(LocalDateTime& out)
{
    std::time_t seconds = std::time(nullptr);
    std::tm local{};
    if (!::localtime_r(&seconds, &local)) return false;
    out = LocalDateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                        local.tm_hour, local.tm_min, local.tm_sec};
    return true;
}

OsVersionRecord CLinuxSystemFacts::OsVersion() { return COsVersion::ThisSystem(); }

// The DMI facts come from sysfs instead (SysfsWmiProvider).
bool CLinuxSystemFacts::ReadLegacyBiosArea(std::vector<std::uint8_t>&) { return false; }
