#include "RegFile.h"
#include "RegistryHives.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class RegistryStoreTest : public ::testing::Test {
protected:
    CMemoryHiveFile file{"user.reg"};
    std::vector<std::string> messages;
    CRegistryStore store{HKEY_CURRENT_USER, file, [this](const std::string& m) { messages.push_back(m); }};
};

TEST_F(RegistryStoreTest, AMissingFileIsAnEmptyHiveAndTheFirstWriteCreatesIt)
{
    EXPECT_TRUE(store.KeyExists(""));
    EXPECT_FALSE(store.KeyExists("SOFTWARE"));
    ASSERT_TRUE(store.SetValue("SOFTWARE\\VARN", "v", RegistryValue::String("x")));
    ASSERT_TRUE(file.Text().has_value());
    EXPECT_TRUE(file.Text()->starts_with("REGEDIT4\n"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(RegistryStoreTest, EachReadSeesTheFileAsItIsNow)
{
    ASSERT_TRUE(store.SetValue("K", "v", RegistryValue::Dword(1)));
    file.SetText("REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"v\"=dword:00000002\n\"w\"=\"new\"\n");
    RegistryValue v;
    ASSERT_TRUE(store.GetValue("k", "V", v));
    EXPECT_EQ(v, RegistryValue::Dword(2));
    std::vector<RegistryNamedValue> values;
    ASSERT_TRUE(store.EnumValues("K", values));
    EXPECT_EQ(values.size(), 2u);
}

// A hand edit or a bad import adds one broken line to a hive full of
// settings: everything else still reads, the line is named once, and the
// first change keeps the file as it was before rewriting it without the line.
TEST_F(RegistryStoreTest, OneBrokenLineCostsOnlyThatLine)
{
    const std::string settings =
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\VARN\\TamloIII]\n\"PosX\"=dword:00000064\n"
        "\"InitialSkin\"=\"KavoIII.xml\"\n\n[HKEY_CURRENT_USER\\Software\\VARN\\HWM\\5]\n\"TargetTemp\"=dword:0000002d\n";
    // The same line as a person types it, and as it reads with a real line break in it.
    for (const std::string broken : {"\"Broken\"=\"a\\nb\"\n", "\"Broken\"=\"a\nb\"\n"}) {
        SCOPED_TRACE(broken);
        CMemoryHiveFile damaged{"user.reg"};
        std::vector<std::string> reports;
        CRegistryStore user{HKEY_CURRENT_USER, damaged, [&](const std::string& m) { reports.push_back(m); }};
        const std::string original = settings + broken;
        damaged.SetText(original);

        RegistryValue v;
        ASSERT_TRUE(user.GetValue("SOFTWARE\\VARN\\TamloIII", "PosX", v));
        EXPECT_EQ(v, RegistryValue::Dword(100));
        ASSERT_TRUE(user.GetValue("SOFTWARE\\VARN\\TamloIII", "InitialSkin", v));
        ASSERT_TRUE(user.GetValue("SOFTWARE\\VARN\\HWM\\5", "TargetTemp", v));
        EXPECT_FALSE(user.GetValue("SOFTWARE\\VARN\\HWM\\5", "Broken", v));
        ASSERT_EQ(reports.size(), 1u);  // once, however often it is read
        EXPECT_NE(reports[0].find("user.reg"), std::string::npos);
        EXPECT_NE(reports[0].find("line 9"), std::string::npos) << reports[0];
        EXPECT_EQ(damaged.Text(), original);  // reading changes nothing
        EXPECT_EQ(user.Check().state, HiveCheck::State::Skipped);

        ASSERT_TRUE(user.SetValue("SOFTWARE\\VARN\\TamloIII", "PosY", RegistryValue::Dword(7)));
        EXPECT_EQ(damaged.BackupTexts(), std::vector<std::string>{original});
        EXPECT_TRUE(damaged.SetAsideTexts().empty());
        ASSERT_EQ(reports.size(), 2u);
        EXPECT_NE(reports[1].find("user.reg.backup-1"), std::string::npos) << reports[1];
        EXPECT_EQ(damaged.Text()->find("Broken"), std::string::npos);
        ASSERT_TRUE(user.GetValue("SOFTWARE\\VARN\\HWM\\5", "TargetTemp", v));
        EXPECT_EQ(v, RegistryValue::Dword(45));
        EXPECT_EQ(user.Check().state, HiveCheck::State::Clean);

        // The rewritten hive is whole again: no second backup.
        ASSERT_TRUE(user.SetValue("SOFTWARE\\VARN\\TamloIII", "PosY", RegistryValue::Dword(8)));
        EXPECT_EQ(damaged.BackupTexts().size(), 1u);
        EXPECT_EQ(reports.size(), 2u);
    }
}

TEST_F(RegistryStoreTest, WithoutABackupAHiveWithBadLinesIsNotRewritten)
{
    const std::string original = "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"v\"=\"kept\"\n\"w\"=dword:12\n";
    file.SetText(original);
    file.failBackup = true;
    EXPECT_FALSE(store.SetValue("K", "x", RegistryValue::String("new")));
    EXPECT_EQ(file.Text(), original);
    EXPECT_EQ(file.ReplaceCount(), 0);
    ASSERT_FALSE(messages.empty());
    EXPECT_NE(messages.back().find("not written"), std::string::npos) << messages.back();
}

TEST_F(RegistryStoreTest, AChangeThatWouldOutgrowAHiveIsRefused)
{
    ASSERT_TRUE(store.SetValue("K", "small", RegistryValue::String("x")));
    const auto before = file.Text();
    EXPECT_FALSE(store.SetValue("K", "huge", RegistryValue::String(std::string(kMaxHiveTextBytes, 'x'))));
    EXPECT_EQ(file.Text(), before);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("larger than 64 MiB"), std::string::npos);
}

TEST_F(RegistryStoreTest, AWriteOverAnUnparseableHiveKeepsTheOldFileAndStoresTheValue)
{
    file.SetText("\x7f" "ELF binary junk");
    ASSERT_TRUE(store.SetValue("K", "v", RegistryValue::String("kept")));
    EXPECT_EQ(file.SetAsideTexts().size(), 1u);
    RegistryValue v;
    EXPECT_TRUE(store.GetValue("K", "v", v));
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(RegistryStoreTest, AnotherRootsKeysAndDeletionsAreLeftOutOfAHive)
{
    file.SetText("REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\"v\"=\"x\"\n[HKEY_CURRENT_USER\\K]\n\"v\"=\"y\"\n"
                 "[-HKEY_CURRENT_USER\\K]\n[HKEY_CURRENT_USER\\K]\n\"v\"=-\n");
    EXPECT_FALSE(store.KeyExists("SOFTWARE"));
    RegistryValue v;
    EXPECT_TRUE(store.GetValue("K", "v", v));
    const HiveCheck check = store.Check();
    ASSERT_EQ(check.skipped.size(), 4u);
    EXPECT_EQ(check.skipped[0].line, 2);
    EXPECT_EQ(check.skipped[1].line, 3);
    EXPECT_EQ(check.skipped[2].line, 6);
    EXPECT_EQ(check.skipped[3].line, 8);
    EXPECT_TRUE(file.SetAsideTexts().empty());
}

TEST_F(RegistryStoreTest, WhenTheBadHiveCannotBeMovedItIsReportedOnlyOnce)
{
    file.SetText("nonsense");
    file.failSetAside = true;
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(store.KeyExists("K"));
    EXPECT_EQ(messages.size(), 1u);
    // Nor is the file replaced by a write: its data stays for a person to rescue.
    EXPECT_FALSE(store.SetValue("K", "v", RegistryValue::String("x")));
    EXPECT_EQ(file.Text(), "nonsense");
    EXPECT_EQ(file.ReplaceCount(), 0);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(RegistryStoreTest, ReadAndLockFailuresFailTheCallWithoutChangingTheFile)
{
    ASSERT_TRUE(store.SetValue("K", "v", RegistryValue::String("x")));
    const auto before = file.Text();
    file.failReads = true;
    RegistryValue v;
    EXPECT_FALSE(store.GetValue("K", "v", v));
    EXPECT_FALSE(store.SetValue("K", "w", RegistryValue::String("y")));
    file.failReads = false;
    file.failLock = true;
    EXPECT_FALSE(store.DeleteValue("K", "v"));
    file.failLock = false;
    EXPECT_EQ(file.Text(), before);
    EXPECT_TRUE(file.SetAsideTexts().empty());
}

TEST_F(RegistryStoreTest, ARefusedChangeWritesNothing)
{
    ASSERT_TRUE(store.SetValue("K", "v", RegistryValue::String("x")));
    int writes = file.ReplaceCount();
    EXPECT_FALSE(store.DeleteValue("K", "missing"));
    EXPECT_FALSE(store.DeleteKey("Missing"));
    EXPECT_EQ(file.ReplaceCount(), writes);
}

TEST_F(RegistryStoreTest, DeleteKeyRemovesTheWholeTreeButNotSiblings)
{
    ASSERT_TRUE(store.SetValue("A\\B\\C", "v", RegistryValue::Dword(1)));
    ASSERT_TRUE(store.SetValue("A\\Bee", "v", RegistryValue::Dword(2)));
    ASSERT_TRUE(store.DeleteKey("a\\b"));
    EXPECT_FALSE(store.KeyExists("A\\B\\C"));
    EXPECT_TRUE(store.KeyExists("A\\Bee"));
    std::vector<std::string> subkeys;
    ASSERT_TRUE(store.EnumSubkeys("A", subkeys));
    EXPECT_EQ(subkeys, std::vector<std::string>{"Bee"});
    EXPECT_FALSE(store.DeleteKey(""));
}

TEST_F(RegistryStoreTest, ConcurrentWritersInOneProcessLoseNothing)
{
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([this, t] {
            for (int i = 0; i < 50; ++i)
                store.SetValue("K", "t" + std::to_string(t) + "_" + std::to_string(i), RegistryValue::Dword(i));
        });
    for (auto& th : threads)
        th.join();
    std::vector<RegistryNamedValue> values;
    ASSERT_TRUE(store.EnumValues("K", values));
    EXPECT_EQ(values.size(), 200u);
}

}  // namespace
