// Batches of the registry store: many changes, one transaction per hive.
#include "RegistryBatch.h"
#include "RegistryHives.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class RegistryBatchTest : public ::testing::Test {
protected:
    std::string Text(const char* name)
    {
        RegistryValue v;
        return store.GetValue("K", name, v) ? std::string(v.data.begin(), v.data.end() - 1) : "<absent>";
    }
    bool Set(const std::string& name, const char* text)
    {
        return store.SetValue("K", name, RegistryValue::String(text));
    }

    CMemoryHiveFile file{"user.reg"};
    CRegistryStore store{HKEY_CURRENT_USER, file, [](const std::string&) {}};
    std::string why;
};

TEST_F(RegistryBatchTest, ReadsSeeTheBatchAndOnlyTheOutermostEndWritesOnce)
{
    ASSERT_TRUE(Set("kept", "before"));
    ASSERT_TRUE(store.CreateKey("Old"));
    const auto before = file.Text();
    store.BeginBatch();
    for (int i = 0; i < 35; ++i)
        ASSERT_TRUE(Set("v" + std::to_string(i), "1"));
    store.BeginBatch();  // joins
    ASSERT_TRUE(Set("v3", "again"));
    ASSERT_TRUE(store.DeleteValue("K", "v4"));
    ASSERT_TRUE(store.DeleteKey("Old"));
    EXPECT_FALSE(store.DeleteValue("K", "missing"));  // refused at once, not kept
    EXPECT_TRUE(store.EndBatch(why));
    EXPECT_EQ(Text("v3"), "again");
    EXPECT_EQ(Text("v4"), "<absent>");
    EXPECT_FALSE(store.KeyExists("Old"));
    std::thread([this] { EXPECT_EQ(Text("v3"), "<absent>"); }).join();  // another thread reads the file
    EXPECT_EQ(file.Text(), before);
    EXPECT_TRUE(store.EndBatch(why)) << why;
    EXPECT_EQ(file.ReplaceCount(), 3);
    std::vector<RegistryNamedValue> values;
    ASSERT_TRUE(store.EnumValues("K", values));
    EXPECT_EQ(values.size(), 35u);  // kept, v0..v34 without v4
    EXPECT_FALSE(store.KeyExists("Old"));
}

// The end reads the file again: what another process wrote meanwhile stays,
// and the batch's changes go on top in their order.
TEST_F(RegistryBatchTest, AnotherWritersChangesDuringTheBatchAreKept)
{
    ASSERT_TRUE(Set("shared", "old"));
    ASSERT_TRUE(Set("gone", "x"));
    store.BeginBatch();
    ASSERT_TRUE(Set("mine", "batch"));
    ASSERT_TRUE(Set("shared", "batch"));
    ASSERT_TRUE(store.DeleteValue("K", "gone"));
    file.SetText("REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"shared\"=\"other\"\n\"theirs\"=\"other\"\n");
    ASSERT_TRUE(store.EndBatch(why)) << why;  // "gone" deleted by both: no failure
    EXPECT_EQ(Text("theirs"), "other");
    EXPECT_EQ(Text("mine"), "batch");
    EXPECT_EQ(Text("shared"), "batch");
    EXPECT_EQ(Text("gone"), "<absent>");
}

// Whatever stops the end from writing, the caller hears why, nothing of the
// batch is stored, and the store works as before afterwards.
TEST_F(RegistryBatchTest, AnEndThatCannotWriteSaysWhyAndStoresNothing)
{
    ASSERT_TRUE(Set("kept", "x"));
    const auto before = file.Text();
    const std::string huge(kMaxHiveTextBytes, 'x');
    struct Case {
        bool CMemoryHiveFile::*fault;
        const char* reason;
        const char* value;
    };
    for (const Case& c : {Case{&CMemoryHiveFile::failReplace, "cannot write", "1"},
                          Case{&CMemoryHiveFile::failLock, "cannot lock", "1"},
                          Case{&CMemoryHiveFile::failReads, "cannot read", "1"},
                          Case{nullptr, "larger than 64 MiB", huge.c_str()}}) {
        SCOPED_TRACE(c.reason);
        store.BeginBatch();
        ASSERT_TRUE(Set("a", "1"));
        ASSERT_TRUE(Set("b", c.value));
        if (c.fault) file.*c.fault = true;
        EXPECT_FALSE(store.EndBatch(why));
        if (c.fault) file.*c.fault = false;
        EXPECT_NE(why.find(c.reason), std::string::npos) << why;
        EXPECT_EQ(file.Text(), before);
    }
    // A kept change that the file as it is now refuses: all or nothing.
    store.BeginBatch();
    ASSERT_TRUE(Set("c", "3"));
    ASSERT_TRUE(store.Modify([](CRegistryHive& hive) { return !hive.KeyExists({"Taken"}); }));
    file.SetText(*before + "[HKEY_CURRENT_USER\\Taken]\n");
    EXPECT_FALSE(store.EndBatch(why));
    EXPECT_NE(why.find("refused"), std::string::npos) << why;
    EXPECT_EQ(Text("c"), "<absent>");
}

TEST(RegistryBatch, EachHiveIsATransactionOfItsOwnAndTheOneThatFailedIsNamed)
{
    CMemoryRegistryHives hives([](const std::string&) {});
    hives.currentUserFile.failReplace = true;
    CRegistryBatch batch(hives);
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(hives.Store(HKEY_CURRENT_USER)->SetValue("K", std::to_string(i), RegistryValue::Dword(1)));
        ASSERT_TRUE(hives.Store(HKEY_LOCAL_MACHINE)->SetValue("K", std::to_string(i), RegistryValue::Dword(1)));
    }
    EXPECT_FALSE(batch.End());
    EXPECT_NE(batch.Failure().find("HKEY_CURRENT_USER (memory)"), std::string::npos) << batch.Failure();
    EXPECT_EQ(hives.localMachineFile.ReplaceCount(), 1);  // each hive is a transaction of its own
}

}  // namespace
