#include "MemoryScreenInfo.h"
#include "MemorySystemFacts.h"
#include "MemoryWmiProvider.h"
#include "RecordingMessageBox.h"
#include "RegistryHives.h"
#include "SysinfoCommand.h"
#include "SystemInfo.h"
#include "sysinfo_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <sys/wait.h>

namespace {

class SysinfoToolTest : public ::testing::Test {
protected:
    int Run(const std::vector<std::string>& args)
    {
        out.str("");
        err.str("");
        SystemInfoPorts ports{&wmi, &facts, &screen, &messages, &hives};
        return RunSysinfoCommand(args, out, err, &ports);
    }

    CMemoryWmiProvider wmi;
    CMemorySystemFacts facts;
    CMemoryScreenInfo screen;
    CRecordingMessageBox messages;
    CMemoryRegistryHives hives;
    std::ostringstream out, err;
};

TEST_F(SysinfoToolTest, ListsEveryKeyInTableOrderWithSources)
{
    facts.executablePath = "/opt/velmar/velmar-sysinfo";
    wmi.SetProperty("Win32_BaseBoard", "Product", WmiVariant::String("P5Q-E"), "/sys/class/dmi/id/board_name");
    ASSERT_EQ(Run({}), 0);
    std::istringstream lines(out.str());
    std::string line;
    for (const char* key : CSystemInfo::Keys()) {
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line.substr(0, line.find(':')), key);
    }
    EXPECT_NE(out.str().find("Path: /opt/velmar/\n"), std::string::npos);
    EXPECT_NE(out.str().find("MBModel: P5Q-E\n"), std::string::npos);
    EXPECT_NE(out.str().find("MBModel: WMI Win32_BaseBoard.Product from /sys/class/dmi/id/board_name"),
              std::string::npos);
}

TEST_F(SysinfoToolTest, OneKeyPrintsItsAnswerAlone)
{
    wmi.SetText("Win32_BaseBoard", "Product", "AB9//X");
    ASSERT_EQ(Run({"MBModel"}), 0);
    EXPECT_EQ(out.str(), "AB9__X\n");
    ASSERT_EQ(Run({"--sysfs-root", SysfsTree("board"), "VGAID"}), 0);
    EXPECT_EQ(out.str(), "SUBSYS_82341043\n");
}

TEST_F(SysinfoToolTest, BadUsage)
{
    EXPECT_EQ(Run({"--verbose"}), 2);
    EXPECT_NE(err.str().find("unknown option '--verbose'"), std::string::npos);
    EXPECT_EQ(Run({"--sysfs-root"}), 2);
    EXPECT_EQ(Run({"Path", "MBModel"}), 2);
    EXPECT_EQ(Run({"mbmodel"}), 1);
    EXPECT_NE(err.str().find("unknown key 'mbmodel'"), std::string::npos);
    EXPECT_TRUE(out.str().empty());
}

TEST(SysinfoProgram, RunsAndFailsOnAnUnknownOption)
{
    const std::string tool = std::string(VELMAR_APP_DIR) + "/velmar-sysinfo";
    SysinfoTempFolder registry;
    const std::string env = "VELMAR_REGISTRY_DIR='" + registry.File("") + "' ";
    FILE* pipe = ::popen((env + tool + " --sysfs-root '" + SysfsTree("board") + "' Path").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[512] = {};
    std::string text;
    while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
    ASSERT_EQ(WEXITSTATUS(::pclose(pipe)), 0);
    EXPECT_EQ(text, std::string(VELMAR_APP_DIR) + "/\n");
    int status = std::system((env + tool + " --nope 2>/dev/null").c_str());
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

}  // namespace
