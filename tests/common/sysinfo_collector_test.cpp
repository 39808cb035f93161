#include "LegacyDmi.h"
#include "MemoryScreenInfo.h"
#include "MemorySystemFacts.h"
#include "MemoryWmiProvider.h"
#include "RecordingMessageBox.h"
#include "RegistryAccess.h"
#include "RegistryHives.h"
#include "SystemInfo.h"
#include "WmiQuery.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

OsVersionRecord Windows(std::uint32_t platform, std::uint32_t major, std::uint32_t minor)
{
    OsVersionRecord record;
    record.platformId = platform;
    record.major = major;
    record.minor = minor;
    record.productType = 1;
    record.userLanguageId = 0x0409;
    return record;
}

class SystemInfoTest : public ::testing::Test {
protected:
    SystemInfoPorts Ports() { return SystemInfoPorts{&wmi, &facts, &screen, &messages, &hives}; }
    std::string Get(const std::string& key)
    {
        CSystemInfo info(Ports());
        return info.GetInfo(key);
    }
    void SetMachineString(const std::string& subkey, const std::string& name, const std::string& text)
    {
        CRegistryAccess registry(hives);
        ASSERT_TRUE(registry.SetRootKey(HKEY_LOCAL_MACHINE));
        ASSERT_TRUE(registry.SetString(subkey, name, text));
    }

    CMemoryWmiProvider wmi;
    CMemorySystemFacts facts;
    CMemoryScreenInfo screen;
    CRecordingMessageBox messages;
    CMemoryRegistryHives hives;
};

TEST_F(SystemInfoTest, KeysAreExact)
{
    facts.executablePath = "/opt/velmar/Velmar";
    EXPECT_EQ(Get("Path"), "/opt/velmar/");
    EXPECT_EQ(Get("path"), "");
    EXPECT_EQ(Get("PATH"), "");
    EXPECT_EQ(Get("NoSuchKey"), "");
    EXPECT_EQ(Get(""), "");
}

TEST_F(SystemInfoTest, PathIsTheExecutablesFolder)
{
    facts.executablePath = "/opt/velmar/Velmar (deleted)";
    EXPECT_EQ(Get("Path"), "/opt/velmar/");
    facts.executablePath = "Velmar";
    EXPECT_EQ(Get("Path"), "");
    facts.executablePath.reset();
    EXPECT_EQ(Get("Path"), "");
}

TEST_F(SystemInfoTest, EveryAnswerIsCutAt255Bytes)
{
    facts.executablePath = "/" + std::string(400, 'p') + "/Velmar";
    EXPECT_EQ(Get("Path"), "/" + std::string(254, 'p'));
    facts.specialFolders[SpecialFolder::Music] = "/home/" + std::string(300, 'm');
    EXPECT_EQ(Get("WinMusic").size(), 255u);
    wmi.SetText("Win32_Bios", "Manufacturer", std::string(1000, 'v'));
    EXPECT_EQ(Get("BIOSProvider"), std::string(255, 'v'));
}

TEST_F(SystemInfoTest, BoardModelFromWmiIsCleaned)
{
    wmi.SetText("Win32_BaseBoard", "Product", "  KN9 (Ultra)  ");
    EXPECT_EQ(Get("MBModel"), "KN9");
    wmi.SetText("Win32_BaseBoard", "Product", "AB9//X");
    EXPECT_EQ(Get("MBModel"), "AB9__X");
    wmi.SetText("Win32_BaseBoard", "Product", "IP35/Pro");
    EXPECT_EQ(Get("MBModel"), "IP35/Pro");
    wmi.SetText("Win32_BaseBoard", "Product", "");
    EXPECT_EQ(Get("MBModel"), "");
}

TEST_F(SystemInfoTest, MissingWmiValuesAnswerEmptyNotNull)
{
    wmi.AddClass("Win32_BaseBoard");
    wmi.SetProperty("Win32_OperatingSystem", "CSDVersion", WmiVariant::Null());
    wmi.AddClass("Win32_Bios");
    wmi.AddClass("Win32_VideoController");
    EXPECT_EQ(Get("MBModel"), "");
    EXPECT_EQ(Get("WinSPVer"), "");
    EXPECT_EQ(Get("BIOSProvider"), "");
    EXPECT_EQ(Get("BIOSDate"), "");
    EXPECT_EQ(Get("VGAID"), "");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SystemInfoTest, AMissingWmiClassIsReportedOnce)
{
    EXPECT_EQ(Get("MBModel"), "");
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"WBEM_E_INVALID_CLASS"}));
}

TEST_F(SystemInfoTest, BoardOverrideReplacesTheFirmwareTextBeforeCleaning)
{
    wmi.SetText("Win32_BaseBoard", "Product", "To be filled by O.E.M.");
    SetMachineString(kBoardOverrideKey, kBoardOverrideValue, "  AB9//X (simulated)");
    CSystemInfo info(Ports());
    SystemInfoAnswer answer = info.Explain("MBModel");
    EXPECT_EQ(answer.text, "AB9__X");
    EXPECT_NE(answer.source.find("override"), std::string::npos);
    EXPECT_NE(answer.source.find("To be filled by O.E.M."), std::string::npos);

    // The store's names are case-insensitive; an empty value is no override.
    SetMachineString("software\\varn\\systeminfo", "mbmodel", "");
    EXPECT_EQ(Get("MBModel"), "To be filled by O.E.M.");
}

TEST_F(SystemInfoTest, VgaIdOnlyOnTheNtFamily)
{
    wmi.SetText("Win32_VideoController", "PNPDeviceID", "PCI\\VEN_10DE&DEV_0221&SUBSYS_00000000&REV_A1\\4&1");
    EXPECT_EQ(Get("VGAID"), "SUBSYS_00000000");
    facts.osVersion = Windows(1, 4, 10);
    EXPECT_EQ(Get("VGAID"), "");
}

TEST_F(SystemInfoTest, ServicePack)
{
    wmi.SetText("Win32_OperatingSystem", "CSDVersion", "Service Pack 2");
    EXPECT_EQ(Get("WinSPVer"), "SP2");
    wmi.SetText("Win32_OperatingSystem", "CSDVersion", "");
    EXPECT_EQ(Get("WinSPVer"), "");
    wmi.SetText("Win32_OperatingSystem", "CSDVersion", "Service Pack 2");
    facts.osVersion = Windows(1, 4, 90);
    EXPECT_EQ(Get("WinSPVer"), "");
    EXPECT_EQ(wmi.connections, 2);
}

TEST_F(SystemInfoTest, BiosDateCenturyQuirkOfWindows2000)
{
    wmi.SetText("Win32_Bios", "ReleaseDate", "19060315000000.000000+000");
    facts.osVersion = Windows(2, 5, 0);
    wmi.SetText("Win32_OperatingSystem", "CSDVersion", "Service Pack 1");
    EXPECT_EQ(Get("BIOSDate"), "03/15/2006");
    wmi.SetText("Win32_OperatingSystem", "CSDVersion", "");
    EXPECT_EQ(Get("BIOSDate"), "03/15/2006");
    wmi.SetText("Win32_OperatingSystem", "CSDVersion", "Service Pack 4");
    EXPECT_EQ(Get("BIOSDate"), "03/15/1906");
    facts.osVersion = Windows(2, 5, 1);
    wmi.SetText("Win32_OperatingSystem", "CSDVersion", "Service Pack 1");
    EXPECT_EQ(Get("BIOSDate"), "03/15/1906");
    wmi.SetText("Win32_Bios", "ReleaseDate", "");
    EXPECT_EQ(Get("BIOSDate"), "");
}

TEST_F(SystemInfoTest, The9xFamilyReadsTheLegacyTable)
{
    facts.osVersion = Windows(1, 4, 10);
    std::vector<std::uint8_t> area(0x10000, 0);
    std::memcpy(&area[0x100], "_DMI_", 5);
    const std::uint32_t table = kLegacyBiosAreaBase + 0x200;
    std::memcpy(&area[0x108], &table, 4);
    area[0x10C] = 1;
    const std::uint8_t board[] = {2, 8, 0, 0, 0, 1, 0, 0};
    std::memcpy(&area[0x200], board, sizeof board);
    std::memcpy(&area[0x208], " KN9 (Ultra)\0", 14);
    facts.legacyBiosArea = area;
    wmi.SetText("Win32_BaseBoard", "Product", "from WMI");
    EXPECT_EQ(Get("MBModel"), "KN9");
    EXPECT_EQ(Get("BIOSProvider"), "");
    EXPECT_EQ(wmi.connections, 0);

    facts.legacyBiosArea.reset();
    EXPECT_EQ(Get("MBModel"), "");
}

TEST_F(SystemInfoTest, DirectXVersionFromTheMachineStore)
{
    EXPECT_EQ(Get("DirectX"), "");
    SetMachineString("Software\\Microsoft\\DirectX", "Other", "x");
    EXPECT_EQ(Get("DirectX"), "");
    SetMachineString("Software\\Microsoft\\DirectX", "Version", "4.08.01.0901");
    EXPECT_EQ(Get("DirectX"), "8.1a");
    SetMachineString("Software\\Microsoft\\DirectX", "Version", "4.09.00.0904");
    EXPECT_EQ(Get("DirectX"), "4.09.00.0904");
}

TEST_F(SystemInfoTest, TickCountIsAnUnsigned32BitCountThatWraps)
{
    facts.millisecondsSinceBoot = 25ull * 24 * 3600 * 1000;
    EXPECT_EQ(Get("TickCount"), "2160000000");
    facts.millisecondsSinceBoot = (1ull << 32) + 5;
    EXPECT_EQ(Get("TickCount"), "5");
}

TEST_F(SystemInfoTest, DateAndTimeWithoutLeadingZeros)
{
    facts.localTime = LocalDateTime{2006, 3, 7, 9, 5, 0};
    EXPECT_EQ(Get("SysDate"), "3/7/2006");
    EXPECT_EQ(Get("SysTime"), "9:5:0");
    facts.localTime.reset();
    EXPECT_EQ(Get("SysDate"), "");
}

TEST_F(SystemInfoTest, ScreenAnswers)
{
    screen.width = 1280;
    screen.height = 1024;
    EXPECT_EQ(Get("Resolution"), "1280x1024");
    EXPECT_EQ(Get("BitPixel"), "32");
    screen.hasResolution = false;
    screen.hasBitsPerPixel = false;
    EXPECT_EQ(Get("Resolution"), "");
    EXPECT_EQ(Get("BitPixel"), "");
}

TEST_F(SystemInfoTest, SystemVersionAndLanguage)
{
    EXPECT_EQ(Get("DetectOS"), "");
    facts.osVersion = Windows(2, 5, 1);
    EXPECT_EQ(Get("DetectOS"), "WinXP");
    facts.osVersion = Windows(1, 4, 90);
    EXPECT_EQ(Get("DetectOS"), "WinME");
    facts.osVersion.userLanguageId = 0x0407;
    EXPECT_EQ(Get("Lang"), "DEU");
    facts.osVersion.userLanguageId = 0x0C07;
    EXPECT_EQ(Get("Lang"), "");
    // The host does not name the 64-bit XP; the plug-in sees it as XP.
    facts.osVersion = Windows(2, 5, 2);
    facts.osVersion.wow64 = true;
    EXPECT_EQ(Get("DetectOS"), "");
    CSystemInfo plugin(Ports(), COsVersion::Edition::Plugin);
    EXPECT_EQ(plugin.GetInfo("DetectOS"), "Win2003");
}

TEST_F(SystemInfoTest, NamesAndAddress)
{
    facts.hostName = "vm";
    facts.userName = "alice";
    facts.addresses["vm"] = "192.168.1.20";
    EXPECT_EQ(Get("ComputerName"), "vm");
    EXPECT_EQ(Get("UserName"), "alice");
    EXPECT_EQ(Get("IPAddr"), "192.168.1.20");
    facts.addresses.clear();
    EXPECT_EQ(Get("IPAddr"), "");
    facts.hostName.reset();
    facts.userName.reset();
    EXPECT_EQ(Get("ComputerName"), "");
    EXPECT_EQ(Get("UserName"), "");
    EXPECT_EQ(Get("IEVer"), "");
    EXPECT_EQ(Get("WinDir"), "");
}

TEST_F(SystemInfoTest, ProcessPortsServeDefaultConstructedCollectors)
{
    facts.executablePath = "/staged/velmar/Velmar";
    wmi.SetText("Win32_BaseBoard", "Product", "P5Q-E");
    SystemInfoPorts ports = Ports();
    OverrideProcessSystemInfoPorts(&ports);
    CSystemInfo info(COsVersion::Edition::Plugin);
    EXPECT_EQ(info.GetInfo("Path"), "/staged/velmar/");
    EXPECT_EQ(info.GetInfo("MBModel"), "P5Q-E");
    EXPECT_EQ(WmiGetText("Win32_BaseBoard", "Product"), "P5Q-E");
    OverrideProcessSystemInfoPorts(nullptr);
    EXPECT_NE(ProcessSystemInfoPorts().facts, &facts);
}

}  // namespace
