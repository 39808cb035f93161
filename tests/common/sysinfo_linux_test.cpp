#include "LinuxSystemFacts.h"
#include "LinuxSystemScreen.h"
#include "LinuxSystemUserDirs.h"
#include "RecordingMessageBox.h"
#include "SysfsWmiProvider.h"
#include "SystemInfo.h"
#include "MemorySystemFacts.h"
#include "MemoryScreenInfo.h"
#include "RegistryHives.h"
#include "WmiQuery.h"
#include "sysinfo_test_support.h"

#include <gtest/gtest.h>

namespace {

class SysfsTest : public ::testing::Test {
protected:
    std::string Text(const std::string& tree, const std::string& className, const std::string& property)
    {
        CSysfsWmiProvider provider(SysfsTree(tree));
        return WmiGetText(provider, messages, className, property);
    }
    CRecordingMessageBox messages;
};

TEST_F(SysfsTest, AnswersTheClassesFromAFullTree)
{
    EXPECT_EQ(Text("board", "Win32_BaseBoard", "Product"), "P5Q-E (rev 1.xx)  ");
    EXPECT_EQ(Text("board", "Win32_BaseBoard", "Manufacturer"), "ASUSTeK Computer INC.");
    EXPECT_EQ(Text("board", "Win32_Bios", "Manufacturer"), "American Megatrends Inc.");
    EXPECT_EQ(Text("board", "Win32_Bios", "ReleaseDate"), "20060315000000.000000+000");
    // The audio device sorts first but is no display; the first display wins.
    EXPECT_EQ(Text("board", "Win32_VideoController", "PNPDeviceID"),
              "PCI\\VEN_10DE&DEV_0221&SUBSYS_82341043&REV_A1\\0000:01:00.0");
    EXPECT_EQ(Text("board", "Win32_OperatingSystem", "CSDVersion"), "");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SysfsTest, MissingAndUnreadableFilesGiveNull)
{
    EXPECT_EQ(Text("sparse", "Win32_BaseBoard", "Product"), "To be filled by O.E.M.");
    EXPECT_EQ(Text("sparse", "Win32_BaseBoard", "Manufacturer"), "NULL");
    // bios_vendor is a folder there, bios_date not a DMI date.
    EXPECT_EQ(Text("sparse", "Win32_Bios", "Manufacturer"), "NULL");
    EXPECT_EQ(Text("sparse", "Win32_Bios", "ReleaseDate"), "NULL");
    // The first display device has no vendor file; the next has no
    // subsystem or revision.
    EXPECT_EQ(Text("sparse", "Win32_VideoController", "PNPDeviceID"),
              "PCI\\VEN_8086&DEV_0412&SUBSYS_00000000&REV_00\\0000:00:02.0");
    EXPECT_EQ(Text("empty", "Win32_VideoController", "PNPDeviceID"), "NULL");
    EXPECT_EQ(Text("empty", "Win32_BaseBoard", "Product"), "NULL");
    EXPECT_EQ(Text("no-such-tree", "Win32_Bios", "Manufacturer"), "NULL");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SysfsTest, OnlyTheDefaultNamespaceAndItsClassesExist)
{
    EXPECT_EQ(Text("board", "Win32_Processor", "Name"), "NULL");
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"WBEM_E_INVALID_CLASS"}));
    CSysfsWmiProvider provider(SysfsTree("board"));
    CWmiQuery query(provider, messages);
    EXPECT_FALSE(query.Connect("\\\\.\\root\\wmi"));
    EXPECT_TRUE(query.Connect("//./root/cimv2"));
}

TEST(SysfsFormats, DmiDatesBecomeWmiDateTimes)
{
    std::string out = "unchanged";
    EXPECT_TRUE(WmiDateTimeFromDmiDate("12/31/1999", out));
    EXPECT_EQ(out, "19991231000000.000000+000");
    for (const char* bad : {"", "2006-03-15", "3/15/2006", "03/15/06", "03/15/2006x", "ab/cd/efgh"}) {
        out = "unchanged";
        EXPECT_FALSE(WmiDateTimeFromDmiDate(bad, out)) << bad;
        EXPECT_EQ(out, "unchanged");
    }
}

TEST(SysfsFormats, PciIdentifiersInUpperCaseHex)
{
    EXPECT_EQ(PciPnpDeviceId(0x10de, 0x0221, 0x1043, 0x8234, 0xa1, "0000:01:00.0"),
              "PCI\\VEN_10DE&DEV_0221&SUBSYS_82341043&REV_A1\\0000:01:00.0");
}

TEST(SysfsCollector, BoardFileNameAndDatesFromATree)
{
    CSysfsWmiProvider provider(SysfsTree("board"));
    CMemorySystemFacts facts;
    CMemoryScreenInfo screen;
    CRecordingMessageBox messages;
    CMemoryRegistryHives hives;
    CSystemInfo info(SystemInfoPorts{&provider, &facts, &screen, &messages, &hives});
    EXPECT_EQ(info.GetInfo("MBModel"), "P5Q-E");
    EXPECT_EQ(info.GetInfo("BIOSDate"), "03/15/2006");
    EXPECT_EQ(info.GetInfo("VGAID"), "SUBSYS_82341043");
    EXPECT_EQ(info.GetInfo("WinSPVer"), "");
    SystemInfoAnswer answer = info.Explain("BIOSProvider");
    EXPECT_EQ(answer.text, "American Megatrends Inc.");
    EXPECT_NE(answer.source.find("/class/dmi/id/bios_vendor"), std::string::npos);

    CSysfsWmiProvider sparse(SysfsTree("sparse"));
    CSystemInfo sparseInfo(SystemInfoPorts{&sparse, &facts, &screen, &messages, &hives});
    EXPECT_EQ(sparseInfo.GetInfo("BIOSProvider"), "");
    EXPECT_EQ(sparseInfo.GetInfo("BIOSDate"), "");
    EXPECT_EQ(sparseInfo.GetInfo("VGAID"), "SUBSYS_00000000");
}

TEST(LinuxScreen, FirstConnectedOutputsPreferredMode)
{
    CLinuxSystemScreen screen(SysfsTree("board"));
    int w = 0, h = 0, bits = 0;
    ASSERT_TRUE(screen.Resolution(w, h));
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 1024);
    ASSERT_TRUE(screen.BitsPerPixel(bits));
    EXPECT_EQ(bits, 32);
}

TEST(LinuxScreen, FallsBackToTheFramebufferAndOtherwiseHasNone)
{
    CLinuxSystemScreen sparse(SysfsTree("sparse"));
    int w = 0, h = 0, bits = 0;
    ASSERT_TRUE(sparse.Resolution(w, h));
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    EXPECT_FALSE(sparse.BitsPerPixel(bits));
    CLinuxSystemScreen empty(SysfsTree("empty"));
    EXPECT_FALSE(empty.Resolution(w, h));
    EXPECT_FALSE(empty.BitsPerPixel(bits));
}

TEST(LinuxScreen, SizeTexts)
{
    int w = 0, h = 0;
    EXPECT_TRUE(ParseScreenSize("1920x1080i", 'x', w, h));
    EXPECT_EQ(w, 1920);
    EXPECT_EQ(h, 1080);
    for (const char* bad : {"", "x", "1920x", "x1080", "0x0", "-5x10", "1920,1080", "99999999999x1"})
        EXPECT_FALSE(ParseScreenSize(bad, 'x', w, h)) << bad;
}

TEST(LinuxUserDirs, ParsesTheXdgFile)
{
    const auto folders = ParseUserDirs(
        "# written by xdg-user-dirs-update\n"
        "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
        "XDG_MUSIC_DIR=\"/data/music/\"\n"
        "XDG_TEMPLATES_DIR=\"$HOME/\"\n"
        "XDG_PICTURES_DIR=\"$HOME/My \\\"Pictures\\\"\"\n"
        "XDG_VIDEOS_DIR=relative/videos\n"
        "XDG_DOWNLOAD_DIR=\"Downloads\"\n",
        "/home/alice");
    EXPECT_EQ(folders.at("XDG_DESKTOP_DIR"), "/home/alice/Schreibtisch");
    EXPECT_EQ(folders.at("XDG_MUSIC_DIR"), "/data/music");
    EXPECT_EQ(folders.at("XDG_PICTURES_DIR"), "/home/alice/My \"Pictures\"");
    // Home itself switches the entry off; relative values are not taken.
    EXPECT_EQ(folders.count("XDG_TEMPLATES_DIR"), 0u);
    EXPECT_EQ(folders.count("XDG_VIDEOS_DIR"), 0u);
    EXPECT_EQ(folders.count("XDG_DOWNLOAD_DIR"), 0u);
}

TEST(LinuxUserDirs, FileLocation)
{
    EXPECT_EQ(UserDirsFile("/cfg", "/home/alice"), "/cfg/user-dirs.dirs");
    EXPECT_EQ(UserDirsFile("relative", "/home/alice"), "/home/alice/.config/user-dirs.dirs");
    EXPECT_EQ(UserDirsFile(nullptr, "/home/alice"), "/home/alice/.config/user-dirs.dirs");
    EXPECT_EQ(UserDirsFile(nullptr, ""), "");
}

TEST(LinuxSystemFacts, ReportsThisProcess)
{
    CLinuxSystemFacts facts;
    std::string path;
    ASSERT_TRUE(facts.ExecutablePath(path));
    EXPECT_NE(path.find("sysinfo_tests"), std::string::npos);
    std::uint64_t first = facts.MillisecondsSinceBoot();
    EXPECT_GT(first, 0u);
    EXPECT_GE(facts.MillisecondsSinceBoot(), first);
    LocalDateTime now;
    ASSERT_TRUE(facts.LocalTime(now));
    EXPECT_GE(now.year, 2024);
    EXPECT_TRUE(now.month >= 1 && now.month <= 12);
    std::string windows = "unchanged";
    EXPECT_FALSE(facts.WindowsDirectory(windows));
    std::vector<std::uint8_t> area;
    EXPECT_FALSE(facts.ReadLegacyBiosArea(area));
}

}  // namespace
