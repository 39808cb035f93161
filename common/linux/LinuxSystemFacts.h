// System facts from Linux: /proc/self/exe, gethostname, getaddrinfo,
// getpwuid, CLOCK_BOOTTIME, localtime_r and the XDG user folders.
//
// Folders: Desktop, Templates, Pictures and Music are the XDG user folders
// (XDG_DESKTOP_DIR, XDG_TEMPLATES_DIR, XDG_PICTURES_DIR, XDG_MUSIC_DIR);
// without an entry the desktop is ~/Desktop and the others have none.
// System is /usr/lib, ProgramFiles /opt (where the suite installs). There
// is no Windows directory. The firmware area is not mapped for programs.
#pragma once

#include "SystemFacts.h"

class CLinuxSystemFacts : public ISystemFacts {
public:
    bool ExecutablePath(std::string& path) override;
    bool WindowsDirectory(std::string& path) override;
    bool SpecialFolderPath(SpecialFolder folder, std::string& path) override;
    bool HostName(std::string& name) override;
    bool FirstIPv4Address(const std::string& hostName, std::string& dotted) override;
    bool UserName(std::string& name) override;
    std::uint64_t MillisecondsSinceBoot() override;
    bool LocalTime(LocalDateTime& now) override;
    OsVersionRecord OsVersion() override;
    bool ReadLegacyBiosArea(std::vector<std::uint8_t>& area) override;
    std::string DescribeSpecialFolder(SpecialFolder folder) override;
};
