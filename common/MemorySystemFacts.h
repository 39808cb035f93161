// System facts double: every fact is a field; an empty optional means the
// operating system could not say.
#pragma once

#include "SystemFacts.h"

#include <map>
#include <optional>

class CMemorySystemFacts : public ISystemFacts {
public:
    bool ExecutablePath(std::string& path) override { return Give(executablePath, path); }
    bool WindowsDirectory(std::string& path) override { return Give(windowsDirectory, path); }
    bool SpecialFolderPath(SpecialFolder folder, std::string& path) override
    {
        auto found = specialFolders.find(folder);
        if (found == specialFolders.end()) return false;
        path = found->second;
        return true;
    }
    bool HostName(std::string& name) override { return Give(hostName, name); }
    bool FirstIPv4Address(const std::string& host, std::string& dotted) override
    {
        auto found = addresses.find(host);
        if (found == addresses.end()) return false;
        dotted = found->second;
        return true;
    }
    bool UserName(std::string& name) override { return Give(userName, name); }
    std::uint64_t MillisecondsSinceBoot() override { return millisecondsSinceBoot; }
    bool LocalTime(LocalDateTime& now) override
    {
        if (!localTime) return false;
        now = *localTime;
        return true;
    }
    OsVersionRecord OsVersion() override { return osVersion; }
    bool ReadLegacyBiosArea(std::vector<std::uint8_t>& area) override
    {
        if (!legacyBiosArea) return false;
        area = *legacyBiosArea;
        return true;
    }

    std::optional<std::string> executablePath, windowsDirectory, hostName, userName;
    std::map<SpecialFolder, std::string> specialFolders;
    std::map<std::string, std::string> addresses;  // host name -> dotted address
    std::uint64_t millisecondsSinceBoot = 0;
    std::optional<LocalDateTime> localTime;
    OsVersionRecord osVersion = COsVersion::ThisSystem();
    std::optional<std::vector<std::uint8_t>> legacyBiosArea;

private:
    static bool Give(const std::optional<std::string>& fact, std::string& out)
    {
        if (!fact) return false;
        out = *fact;
        return true;
    }
};
