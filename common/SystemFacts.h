// The machine and session facts the system-information keys report, asked
// of the operating system one at a time. Each answer may be missing; the key
// then answers "".
#pragma once

#include "OsVersion.h"

#include <cstdint>
#include <string>
#include <vector>

struct LocalDateTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
};

// Special folders by their traditional numeric identifiers.
enum class SpecialFolder : int {
    Desktop = 0,
    Music = 13,
    Templates = 21,
    System = 37,
    ProgramFiles = 38,
    Pictures = 39,
};

class ISystemFacts {
public:
    virtual ~ISystemFacts() = default;

    // Full path of the running executable.
    virtual bool ExecutablePath(std::string& path) = 0;
    // The folder the operating system itself lives in, if it has one.
    virtual bool WindowsDirectory(std::string& path) = 0;
    // Without creating it; no trailing separator.
    virtual bool SpecialFolderPath(SpecialFolder folder, std::string& path) = 0;
    virtual bool HostName(std::string& name) = 0;
    // First IPv4 address of a host name, dotted.
    virtual bool FirstIPv4Address(const std::string& hostName, std::string& dotted) = 0;
    virtual bool UserName(std::string& name) = 0;
    // Milliseconds since the system started, suspend included.
    virtual std::uint64_t MillisecondsSinceBoot() = 0;
    virtual bool LocalTime(LocalDateTime& now) = 0;
    // The version record COsVersion detects from.
    virtual OsVersionRecord OsVersion() = 0;
    // The firmware's 64 KB area at physical 0xF0000, where it is mapped.
    virtual bool ReadLegacyBiosArea(std::vector<std::uint8_t>& area) = 0;
    // Where a folder or fact came from, for the report tool; may be "".
    virtual std::string DescribeSpecialFolder(SpecialFolder /*folder*/) { return {}; }
};
