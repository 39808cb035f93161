#include "VarnregCommand.h"
#include "registry_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <sstream>
#include <sys/wait.h>

namespace {

class VarnregTest : public ::testing::Test {
protected:
    int Run(std::vector<std::string> args, const std::string& input = "")
    {
        out.str("");
        err.str("");
        std::istringstream in(input);
        return RunVarnreg(args, hives, in, out, err);
    }

    CMemoryRegistryHives hives{[](const std::string&) {}};
    std::ostringstream out, err;
    TempFolder folder;
};

// A file as an installer or a user would write it: every type, names in mixed case.
const std::string kRoundTrip =
    "REGEDIT4\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\VARN\\APM]\n"
    "\"ZeFan\"=\"/opt/velmar/libZEFAN.so\"\n"
    "\"OtherPlugin\"=\"C:\\\\Program Files\\\\\\\"quoted\\\"\"\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\VARN\\APM\\Sub Key]\n"
    "\"PosX\"=dword:fffffff6\n"
    "\"Mask\"=hex:00,01,7f,80,ff\n"
    "@=\"default\"\n"
    "\n";

TEST_F(VarnregTest, ImportThenExportGivesBackTheSameFile)
{
    const std::string in = folder.File("in.reg"), back = folder.File("out.reg");
    WriteWholeFile(in, kRoundTrip);
    ASSERT_EQ(Run({"import", in}), kVarnregOk) << err.str();
    ASSERT_EQ(Run({"export", "HKLM\\software\\varn\\apm", back}), kVarnregOk) << err.str();
    EXPECT_EQ(ReadWholeFile(back), kRoundTrip);

    EXPECT_EQ(Run({"get", "hkey_local_machine\\SOFTWARE\\varn\\APM", "zefan"}), kVarnregOk);
    EXPECT_EQ(out.str(), "/opt/velmar/libZEFAN.so\n");
    EXPECT_EQ(Run({"get", "HKLM\\SOFTWARE\\VARN\\APM\\sub key", "posx"}), kVarnregOk);
    EXPECT_EQ(out.str(), "4294967286\n");
    EXPECT_EQ(Run({"get", "HKLM\\SOFTWARE\\VARN\\APM\\Sub Key", "MASK"}), kVarnregOk);
    EXPECT_EQ(out.str(), "hex:00,01,7f,80,ff\n");
    EXPECT_EQ(Run({"get", "HKLM\\SOFTWARE\\VARN\\APM\\Sub Key", ""}), kVarnregOk);
    EXPECT_EQ(out.str(), "default\n");

    // Importing again changes nothing; a mixed-case rewrite keeps the first spelling.
    ASSERT_EQ(Run({"import", "-"}, "REGEDIT4\n[HKEY_LOCAL_MACHINE\\software\\varn\\apm]\n\"ZEFAN\"=\"/new\"\n"),
              kVarnregOk);
    ASSERT_EQ(Run({"export", "HKLM\\SOFTWARE\\VARN\\APM", "-"}), kVarnregOk);
    EXPECT_NE(out.str().find("\"ZeFan\"=\"/new\""), std::string::npos);
}

TEST_F(VarnregTest, ListShowsSubkeysThenValuesInTheirOrder)
{
    ASSERT_EQ(Run({"set", "HKCU\\A", "second", "--dword", "0x10"}), kVarnregOk);
    ASSERT_EQ(Run({"set", "HKCU\\A", "first", "--string", "x"}), kVarnregOk);
    ASSERT_EQ(Run({"set", "HKCU\\A\\Child", "v", "--binary", "01,02"}), kVarnregOk);
    ASSERT_EQ(Run({"list", "HKEY_CURRENT_USER\\a"}), kVarnregOk);
    EXPECT_EQ(out.str(), "Child\\\n\"second\"=dword:00000010\n\"first\"=\"x\"\n");
    ASSERT_EQ(Run({"list", "HKCU"}), kVarnregOk);
    EXPECT_EQ(out.str(), "A\\\n");
}

TEST_F(VarnregTest, DeleteRemovesValuesAndKeysAndSaysWhenNothingIsThere)
{
    ASSERT_EQ(Run({"set", "HKCU\\K\\Sub", "v", "--string", "x"}), kVarnregOk);
    EXPECT_EQ(Run({"delete", "HKCU\\K\\Sub", "V"}), kVarnregOk);
    EXPECT_EQ(Run({"delete", "HKCU\\K\\Sub", "v"}), kVarnregNotFound);
    EXPECT_NE(err.str().find("no value"), std::string::npos);
    EXPECT_EQ(Run({"delete-key", "HKCU\\k"}), kVarnregOk);
    EXPECT_EQ(Run({"list", "HKCU\\K"}), kVarnregNotFound);
    EXPECT_EQ(Run({"delete-key", "HKCU\\K"}), kVarnregNotFound);
    EXPECT_EQ(Run({"get", "HKCU\\K", "v"}), kVarnregNotFound);
    EXPECT_EQ(Run({"export", "HKCU\\K", "-"}), kVarnregNotFound);
}

TEST_F(VarnregTest, BadArgumentsGetAMessageAndTheUsageExitCode)
{
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"frobnicate"},
        {"list"},
        {"list", "SOFTWARE\\VARN"},
        {"list", "HKEY_CLASSES_ROOT\\x"},
        {"list", "HKCU\\a\\\\b"},
        {"get", "HKCU\\K"},
        {"set", "HKCU\\K", "v", "--dword", "4294967296"},
        {"set", "HKCU\\K", "v", "--dword", "12abc"},
        {"set", "HKCU\\K", "v", "--dword", ""},
        {"set", "HKCU\\K", "v", "--binary", "1,2"},
        {"set", "HKCU\\K", "v", "--binary", "01\n[HKEY_CURRENT_USER\\Evil]"},
        {"set", "HKCU\\K", "v", "--float", "1"},
        {"set", "HKCU\\K", "v", "--string"},
        {"set", "HKCU\\K", "line\nbreak", "--string", "x"},
        {"delete-key", "HKCU"},
        {"export", "HKCU\\K"},
    };
    for (const auto& args : bad) {
        EXPECT_EQ(Run(args), kVarnregUsage) << (args.empty() ? "(none)" : args[0]);
        EXPECT_NE(err.str().find("varnreg:"), std::string::npos);
    }
    EXPECT_FALSE(hives.currentUserFile.Text().has_value());  // nothing was written
    EXPECT_EQ(Run({"--help"}), kVarnregOk);
    EXPECT_NE(out.str().find("import FILE.reg"), std::string::npos);
}

TEST_F(VarnregTest, ABadFileIsRefusedWithItsLineAndNothingIsImported)
{
    ASSERT_EQ(Run({"set", "HKCU\\K", "v", "--string", "before"}), kVarnregOk);
    const std::string before = *hives.currentUserFile.Text();
    const std::string bad = folder.File("bad.reg");
    WriteWholeFile(bad, "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"v\"=\"after\"\n[HKEY_LOCAL_MACHINE\\M]\n\"x\"=hex:0g\n");
    EXPECT_EQ(Run({"import", bad}), kVarnregBadFile);
    EXPECT_NE(err.str().find("bad.reg:5:"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("nothing imported"), std::string::npos);
    EXPECT_EQ(*hives.currentUserFile.Text(), before);
    EXPECT_FALSE(hives.localMachineFile.Text().has_value());

    WriteWholeFile(bad, "[HKEY_CLASSES_ROOT\\x]\n");
    EXPECT_EQ(Run({"import", bad}), kVarnregBadFile);
    EXPECT_EQ(Run({"import", folder.File("missing.reg")}), kVarnregIoFailure);
    EXPECT_EQ(Run({"export", "HKCU\\K", folder.File("no/such/folder/out.reg")}), kVarnregIoFailure);
}

TEST_F(VarnregTest, AStoreThatCannotBeWrittenIsAnIoFailure)
{
    hives.localMachineFile.failLock = true;
    EXPECT_EQ(Run({"set", "HKLM\\K", "v", "--string", "x"}), kVarnregIoFailure);
    EXPECT_EQ(Run({"import", "-"}, "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=\"x\"\n"), kVarnregIoFailure);
}

TEST_F(VarnregTest, CheckNamesEachLineAHiveLeavesOutAndChangesNothing)
{
    const std::string damaged = "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"v\"=\"x\"\n\"Broken\"=\"a\\nb\"\n";
    hives.currentUserFile.SetText(damaged);
    hives.localMachineFile.SetText("REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n");
    EXPECT_EQ(Run({"check"}), kVarnregDamaged);
    EXPECT_NE(out.str().find("HKEY_CURRENT_USER (memory):4: unknown escape"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("HKEY_LOCAL_MACHINE (memory): ok"), std::string::npos) << out.str();
    EXPECT_EQ(Run({"check", "HKLM"}), kVarnregOk);
    hives.localMachineFile.SetText("not a hive");
    EXPECT_EQ(Run({"check", "HKLM"}), kVarnregDamaged);
    EXPECT_NE(out.str().find("not a hive"), std::string::npos) << out.str();
    EXPECT_EQ(Run({"check", "HKCR"}), kVarnregUsage);
    // A check neither sets aside, backs up nor rewrites.
    EXPECT_EQ(hives.currentUserFile.Text(), damaged);
    EXPECT_EQ(hives.localMachineFile.Text(), "not a hive");
    EXPECT_TRUE(hives.localMachineFile.SetAsideTexts().empty());
    EXPECT_TRUE(hives.currentUserFile.BackupTexts().empty());
    hives.localMachineFile.failReads = true;
    EXPECT_EQ(Run({"check"}), kVarnregIoFailure);
}

TEST(VarnregProgram, TheInstalledToolUsesTheNamedFolderOnly)
{
    TempFolder folder;
    const std::string tool = std::string(VELMAR_APP_DIR) + "/varnreg";
    const std::string dir = folder.Path().string();
    auto run = [&](const std::string& args) {
        std::string cmd = "VELMAR_REGISTRY_DIR='" + dir + "' HOME='" + dir + "/home' XDG_CONFIG_HOME= '" + tool +
                          "' " + args + " >'" + dir + "/out' 2>&1";
        int status = std::system(cmd.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    ASSERT_EQ(run("set 'HKLM\\SOFTWARE\\VARN\\APM' ZEFAN --string /opt/velmar/libZEFAN.so"), 0)
        << ReadWholeFile(dir + "/out");
    EXPECT_EQ(run("get 'HKLM\\SOFTWARE\\VARN\\APM' zefan"), 0);
    EXPECT_EQ(ReadWholeFile(dir + "/out"), "/opt/velmar/libZEFAN.so\n");
    EXPECT_TRUE(std::filesystem::exists(dir + "/HKEY_LOCAL_MACHINE.reg"));
    EXPECT_FALSE(std::filesystem::exists(dir + "/home"));
    EXPECT_EQ(run("get 'HKLM\\SOFTWARE\\VARN\\APM' nothing"), 1);
    EXPECT_EQ(run("--registry-dir"), 2);

    // One line appended by hand costs only that line, and check names it.
    const std::string before = ReadWholeFile(dir + "/HKEY_LOCAL_MACHINE.reg");
    const auto brokenLine = std::count(before.begin(), before.end(), '\n') + 1;
    std::ofstream(dir + "/HKEY_LOCAL_MACHINE.reg", std::ios::app) << "\"Broken\"=\"a\\nb\"\n";
    EXPECT_EQ(run("get 'HKLM\\SOFTWARE\\VARN\\APM' zefan"), 0);
    EXPECT_NE(ReadWholeFile(dir + "/out").find("/opt/velmar/libZEFAN.so\n"), std::string::npos);
    EXPECT_EQ(run("check"), 5);
    EXPECT_NE(ReadWholeFile(dir + "/out").find("HKEY_LOCAL_MACHINE.reg:" + std::to_string(brokenLine) + ": unknown escape"),
              std::string::npos)
        << ReadWholeFile(dir + "/out");
}

}  // namespace
