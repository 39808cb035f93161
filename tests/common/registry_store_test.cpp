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

TEST_F(RegistryStoreTest, AnUnparseableHiveIsReadAsEmptyKeptAsideAndReportedOnce)
{
    const std::string garbage = "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"v\"=\"cut in the mi";
    file.SetText(garbage);
    EXPECT_FALSE(store.KeyExists("K"));
    EXPECT_FALSE(store.KeyExists("K"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("user.reg"), std::string::npos);
    EXPECT_NE(messages[0].find("line 3"), std::string::npos);
    EXPECT_EQ(file.SetAsideTexts(), std::vector<std::string>{garbage});
    EXPECT_FALSE(file.Text().has_value());
    ASSERT_TRUE(store.SetValue("K", "v", RegistryValue::String("fresh")));
    EXPECT_EQ(file.SetAsideTexts().size(), 1u);
    EXPECT_EQ(messages.size(), 1u);
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

TEST_F(RegistryStoreTest, AHiveHoldingAnotherRootsKeysDoesNotParse)
{
    file.SetText("REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\"v\"=\"x\"\n");
    EXPECT_FALSE(store.KeyExists("SOFTWARE"));
    EXPECT_EQ(file.SetAsideTexts().size(), 1u);
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
