// Machine facts answered by key: the host asks for "Path" (its program
// folder), the fan plug-in for "Path" and "MBModel" (which board file to
// read); any caller may ask for the rest. Nothing is cached: every call
// computes its answer afresh.
#pragma once

#include "OsVersion.h"
#include "SystemInfoPorts.h"

#include <cstddef>
#include <span>
#include <string>

// Where a system administrator names the board when the firmware's name is
// useless: HKEY_LOCAL_MACHINE\SOFTWARE\VARN\SystemInfo, value "MBModel". A
// non-empty value replaces the firmware's board text before cleaning.
constexpr const char* kBoardOverrideKey = "SOFTWARE\\VARN\\SystemInfo";
constexpr const char* kBoardOverrideValue = "MBModel";

struct SystemInfoAnswer {
    std::string text;
    // Where the answer came from (a WMI property and the file behind it, a
    // registry value); "" when there is nothing to say.
    std::string source;
};

class CSystemInfo {
public:
    // The process's ports (SystemInfoPorts.h).
    explicit CSystemInfo(COsVersion::Edition edition = COsVersion::Edition::Host);
    // The given ports (null members: the process's), which must outlive the object.
    explicit CSystemInfo(const SystemInfoPorts& ports, COsVersion::Edition edition = COsVersion::Edition::Host);
    virtual ~CSystemInfo() = default;

    // The answer to a key (exact, case matters), at most 255 bytes; "" for
    // an unknown key or a source that yields nothing.
    std::string GetInfo(const std::string& key);
    // The same, with where it came from.
    SystemInfoAnswer Explain(const std::string& key);

    // For "MBModel", "BIOSProvider" and "BIOSDate": the legacy DMI table of
    // the firmware area, where the system maps it. False (out untouched)
    // when there is no area or no entry point.
    bool ScanLegacyDmi(const std::string& key, std::string& out);

    // Every key, in the order reports list them.
    static std::span<const char* const> Keys();

    static constexpr std::size_t kMaxAnswerBytes = 255;

private:
    struct KeyRow {
        const char* key;
        std::string (CSystemInfo::*answer)(std::string& source);
    };
    static std::span<const KeyRow> Table();

    COsVersion OsVersion();
    std::string Wmi(const char* className, const char* property, std::string& source);

    std::string WinDir(std::string& source);
    std::string Path(std::string& source);
    std::string Lang(std::string& source);
    std::string DetectOS(std::string& source);
    std::string MBModel(std::string& source);
    std::string VGAID(std::string& source);
    std::string WinSPVer(std::string& source);
    std::string BIOSProvider(std::string& source);
    std::string BIOSDate(std::string& source);
    std::string Folder(SpecialFolder folder, std::string& source);
    std::string WinTemp(std::string& source) { return Folder(SpecialFolder::Templates, source); }
    std::string WinSystem(std::string& source) { return Folder(SpecialFolder::System, source); }
    std::string WinProgram(std::string& source) { return Folder(SpecialFolder::ProgramFiles, source); }
    std::string WinDesktop(std::string& source) { return Folder(SpecialFolder::Desktop, source); }
    std::string WinPicture(std::string& source) { return Folder(SpecialFolder::Pictures, source); }
    std::string WinMusic(std::string& source) { return Folder(SpecialFolder::Music, source); }
    std::string Resolution(std::string& source);
    std::string BitPixel(std::string& source);
    std::string DirectX(std::string& source);
    std::string IEVer(std::string& source);
    std::string IPAddr(std::string& source);
    std::string ComputerName(std::string& source);
    std::string UserName(std::string& source);
    std::string TickCount(std::string& source);
    std::string SysDate(std::string& source);
    std::string SysTime(std::string& source);

    SystemInfoPorts ports_;
    COsVersion::Edition edition_;
};
