#include "SystemInfo.h"

#include "LegacyDmi.h"
#include "RegistryAccess.h"
#include "SystemInfoRules.h"
#include "TextLimit.h"
#include "WmiQuery.h"

#include <array>
#include <cstdio>
#include <vector>

namespace {

constexpr const char* kDirectXKey = "Software\\Microsoft\\DirectX";
constexpr const char* kDirectXValue = "Version";

std::string Decimal(long long value) { return std::to_string(value); }

CRegistryAccess::Edition RegistryEdition(COsVersion::Edition edition)
{
    return edition == COsVersion::Edition::Plugin ? CRegistryAccess::Edition::Plugin
                                                  : CRegistryAccess::Edition::Host;
}

// Reads one machine-wide string; false when the key or value is missing.
bool QueryMachineString(IRegistryHives* hives, COsVersion::Edition edition, const char* subkey,
                        const char* name, std::string& text, bool* keyExists = nullptr)
{
    CRegistryAccess registry = hives ? CRegistryAccess(*hives, RegistryEdition(edition))
                                     : CRegistryAccess(RegistryEdition(edition));
    if (!registry.SetRootKey(HKEY_LOCAL_MACHINE)) return false;
    if (keyExists) *keyExists = registry.KeyExists(subkey);
    return registry.QueryString(subkey, name, text);
}

}  // namespace

CSystemInfo::CSystemInfo(COsVersion::Edition edition) : CSystemInfo(SystemInfoPorts{}, edition) {}

CSystemInfo::CSystemInfo(const SystemInfoPorts& ports, COsVersion::Edition edition)
    : ports_(ports), edition_(edition)
{
    const SystemInfoPorts& process = ProcessSystemInfoPorts();
    if (!ports_.wmi) ports_.wmi = process.wmi;
    if (!ports_.facts) ports_.facts = process.facts;
    if (!ports_.screen) ports_.screen = process.screen;
    if (!ports_.messages) ports_.messages = process.messages;
    if (!ports_.hives) ports_.hives = process.hives;
}

std::span<const CSystemInfo::KeyRow> CSystemInfo::Table()
{
    static constexpr std::array<KeyRow, 25> kTable{{
        {"WinDir", &CSystemInfo::WinDir},
        {"Path", &CSystemInfo::Path},
        {"Lang", &CSystemInfo::Lang},
        {"DetectOS", &CSystemInfo::DetectOS},
        {"MBModel", &CSystemInfo::MBModel},
        {"VGAID", &CSystemInfo::VGAID},
        {"WinSPVer", &CSystemInfo::WinSPVer},
        {"BIOSProvider", &CSystemInfo::BIOSProvider},
        {"BIOSDate", &CSystemInfo::BIOSDate},
        {"WinTemp", &CSystemInfo::WinTemp},
        {"WinSystem", &CSystemInfo::WinSystem},
        {"WinProgram", &CSystemInfo::WinProgram},
        {"WinDesktop", &CSystemInfo::WinDesktop},
        {"WinPicture", &CSystemInfo::WinPicture},
        {"WinMusic", &CSystemInfo::WinMusic},
        {"Resolution", &CSystemInfo::Resolution},
        {"BitPixel", &CSystemInfo::BitPixel},
        {"DirectX", &CSystemInfo::DirectX},
        {"IEVer", &CSystemInfo::IEVer},
        {"IPAddr", &CSystemInfo::IPAddr},
        {"ComputerName", &CSystemInfo::ComputerName},
        {"UserName", &CSystemInfo::UserName},
        {"TickCount", &CSystemInfo::TickCount},
        {"SysDate", &CSystemInfo::SysDate},
        {"SysTime", &CSystemInfo::SysTime},
    }};
    return kTable;
}

std::span<const char* const> CSystemInfo::Keys()
{
    static const std::vector<const char*> kKeys = [] {
        std::vector<const char*> keys;
        for (const KeyRow& row : Table()) keys.push_back(row.key);
        return keys;
    }();
    return kKeys;
}

std::string CSystemInfo::GetInfo(const std::string& key) { return Explain(key).text; }

SystemInfoAnswer CSystemInfo::Explain(const std::string& key)
{
    for (const KeyRow& row : Table()) {
        if (key != row.key) continue;
        SystemInfoAnswer answer;
        answer.text = CutToByteLimit((this->*row.answer)(answer.source), kMaxAnswerBytes);
        return answer;
    }
    return {};
}

COsVersion CSystemInfo::OsVersion() { return COsVersion(ports_.facts->OsVersion(), edition_); }

// A property without a value (no instance, no such property, an unreadable
// source) answers "" rather than the helper's "NULL", which is no board,
// vendor or date and would otherwise become "SPNULL" or a board file
// named NULL.ini.
std::string CSystemInfo::Wmi(const char* className, const char* property, std::string& source)
{
    bool connected = false;
    std::string origin;
    WmiVariant value = WmiGetValue(*ports_.wmi, *ports_.messages, className, property, connected, &origin);
    source = std::string("WMI ") + className + "." + property;
    if (!origin.empty()) source += " from " + origin;
    if (!connected)
        source += " (no connection)";
    else if (!value.HasValue())
        source += " (no value)";
    if (!connected || !value.HasValue()) return {};
    return CWmiQuery::VariantToText(value);
}

bool CSystemInfo::ScanLegacyDmi(const std::string& key, std::string& out)
{
    std::vector<std::uint8_t> area;
    if (!ports_.facts->ReadLegacyBiosArea(area)) return false;
    return ::ScanLegacyDmi(area, key, out);
}

std::string CSystemInfo::WinDir(std::string&)
{
    std::string path;
    return ports_.facts->WindowsDirectory(path) ? path : std::string();
}

std::string CSystemInfo::Path(std::string& source)
{
    std::string executable;
    if (!ports_.facts->ExecutablePath(executable)) return {};
    source = executable;
    std::size_t slash = executable.rfind('/');
    if (slash == std::string::npos) return {};
    return executable.substr(0, slash + 1);
}

std::string CSystemInfo::Lang(std::string&) { return OsVersion().GetLanguageCode(); }

std::string CSystemInfo::DetectOS(std::string&)
{
    const COsVersion os = OsVersion();
    if (os.IsWin95()) return "Win95";
    if (os.IsWin98()) return "Win98";
    if (os.IsWinME()) return "WinME";
    if (os.IsWin2000()) return "Win2000";
    if (os.IsWinXP()) return "WinXP";
    if (os.IsWin2003()) return "Win2003";
    return {};
}

std::string CSystemInfo::MBModel(std::string& source)
{
    std::string raw;
    if (OsVersion().Is9xFamily()) {
        source = "legacy DMI table";
        ScanLegacyDmi("MBModel", raw);
    } else {
        raw = Wmi("Win32_BaseBoard", "Product", source);
    }
    std::string chosen;
    if (QueryMachineString(ports_.hives, edition_, kBoardOverrideKey, kBoardOverrideValue, chosen) &&
        !chosen.empty()) {
        source = std::string("HKEY_LOCAL_MACHINE\\") + kBoardOverrideKey + " \"" + kBoardOverrideValue +
                 "\" (board-model override; firmware says \"" + raw + "\")";
        raw = chosen;
    }
    if (raw.empty()) return {};
    return CleanBoardModel(raw);
}

std::string CSystemInfo::VGAID(std::string& source)
{
    if (!OsVersion().IsNTFamily()) return {};
    return ExtractVgaId(Wmi("Win32_VideoController", "PNPDeviceID", source));
}

std::string CSystemInfo::WinSPVer(std::string& source)
{
    if (OsVersion().Is9xFamily()) return {};
    return ServicePackAnswer(Wmi("Win32_OperatingSystem", "CSDVersion", source));
}

std::string CSystemInfo::BIOSProvider(std::string& source)
{
    std::string vendor;
    if (OsVersion().Is9xFamily()) {
        source = "legacy DMI table";
        ScanLegacyDmi("BIOSProvider", vendor);
        return vendor;
    }
    return Wmi("Win32_Bios", "Manufacturer", source);
}

std::string CSystemInfo::BIOSDate(std::string& source)
{
    const COsVersion os = OsVersion();
    if (os.Is9xFamily()) {
        source = "legacy DMI table";
        std::string date;
        ScanLegacyDmi("BIOSDate", date);
        return date;
    }
    const std::string dateTime = Wmi("Win32_Bios", "ReleaseDate", source);
    if (dateTime.empty()) return {};
    // Windows 2000 before SP3 reports the firmware year a century early.
    const bool addCentury = os.IsWin2000() && Win2000DateNeedsCentury(GetInfo("WinSPVer"));
    return BiosDateFromWmi(dateTime, addCentury);
}

std::string CSystemInfo::Folder(SpecialFolder folder, std::string& source)
{
    source = ports_.facts->DescribeSpecialFolder(folder);
    std::string path;
    return ports_.facts->SpecialFolderPath(folder, path) ? path : std::string();
}

std::string CSystemInfo::Resolution(std::string& source)
{
    source = ports_.screen->Describe();
    int width = 0, height = 0;
    if (!ports_.screen->Resolution(width, height)) return {};
    return Decimal(width) + "x" + Decimal(height);
}

std::string CSystemInfo::BitPixel(std::string& source)
{
    source = ports_.screen->Describe();
    int bits = 0;
    if (!ports_.screen->BitsPerPixel(bits)) return {};
    return Decimal(bits);
}

std::string CSystemInfo::DirectX(std::string& source)
{
    std::string version;
    bool keyExists = false;
    QueryMachineString(ports_.hives, edition_, kDirectXKey, kDirectXValue, version, &keyExists);
    if (!keyExists) return {};
    source = std::string("HKEY_LOCAL_MACHINE\\") + kDirectXKey + " \"" + kDirectXValue + "\"";
    return DirectXRelease(version);
}

// There is no browser library with a version to ask on this system.
std::string CSystemInfo::IEVer(std::string&) { return {}; }

std::string CSystemInfo::IPAddr(std::string& source)
{
    std::string host, dotted;
    if (!ports_.facts->HostName(host)) return {};
    source = "first IPv4 address of host \"" + host + "\"";
    return ports_.facts->FirstIPv4Address(host, dotted) ? dotted : std::string();
}

std::string CSystemInfo::ComputerName(std::string&)
{
    std::string name;
    return ports_.facts->HostName(name) ? name : std::string();
}

std::string CSystemInfo::UserName(std::string&)
{
    std::string name;
    return ports_.facts->UserName(name) ? name : std::string();
}

// The platform's tick count is 32 bits wide and wraps after 49.7 days.
std::string CSystemInfo::TickCount(std::string&)
{
    return Decimal(static_cast<std::uint32_t>(ports_.facts->MillisecondsSinceBoot()));
}

std::string CSystemInfo::SysDate(std::string&)
{
    LocalDateTime now;
    if (!ports_.facts->LocalTime(now)) return {};
    return Decimal(now.month) + "/" + Decimal(now.day) + "/" + Decimal(now.year);
}

std::string CSystemInfo::SysTime(std::string&)
{
    LocalDateTime now;
    if (!ports_.facts->LocalTime(now)) return {};
    return Decimal(now.hour) + ":" + Decimal(now.minute) + ":" + Decimal(now.second);
}
