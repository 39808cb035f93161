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
        if (!store.GetValue("K", name, v) || v.type != REG_SZ || v.data.empty())
            return "<absent>";
        return std::string(v.data.begin(), v.data.end() - 1);
    }

    CMemoryHiveFile file{"user.reg"};
    std::vector<std::string> messages;
    CRegistryStore store{HKEY_CURRENT_USER, file, [this](const std::string& m) { messages.push_back(m); }};
    std::string why;
};

TEST_F(RegistryBatchTest, ReadsSeeTheBatchsChangesAndTheEndWritesThemInOneReplacement)
{
    ASSERT_TRUE(store.SetValue("K", "kept", RegistryValue::String("before")));
    ASSERT_TRUE(store.SetValue("Old", "v", RegistryValue::Dword(1)));
    const auto before = file.Text();

    store.BeginBatch();
    for (int i = 0; i < 35; ++i)
        ASSERT_TRUE(store.SetValue("K", "v" + std::to_string(i), RegistryValue::String(std::to_string(i))));
    ASSERT_TRUE(store.SetValue("K", "v3", RegistryValue::String("again")));
    ASSERT_TRUE(store.DeleteValue("K", "v4"));
    ASSERT_TRUE(store.CreateKey("K\\Empty"));
    ASSERT_TRUE(store.DeleteKey("Old"));
    EXPECT_EQ(Text("v3"), "again");
    EXPECT_EQ(Text("v4"), "<absent>");
    EXPECT_TRUE(store.KeyExists("K\\Empty"));
    EXPECT_FALSE(store.KeyExists("Old"));
    std::vector<RegistryNamedValue> values;
    ASSERT_TRUE(store.EnumValues("K", values));
    EXPECT_EQ(values.size(), 35u);  // kept, v0..v34 without v4
    EXPECT_EQ(file.Text(), before);  // nothing written yet
    EXPECT_EQ(file.ReplaceCount(), 2);

    EXPECT_TRUE(store.EndBatch(why)) << why;
    EXPECT_EQ(file.ReplaceCount(), 3);
    EXPECT_EQ(Text("v3"), "again");
    EXPECT_EQ(Text("v4"), "<absent>");
    EXPECT_TRUE(store.KeyExists("K\\Empty"));
    EXPECT_FALSE(store.KeyExists("Old"));
    ASSERT_TRUE(store.EnumValues("K", values));
    EXPECT_EQ(values.front().name, "kept");  // the file's order: first written first
    EXPECT_EQ(values.back().name, "v34");
    EXPECT_TRUE(messages.empty());

    // A batch that changed nothing writes nothing.
    store.BeginBatch();
    EXPECT_FALSE(store.DeleteValue("K", "missing"));  // refused changes are not kept
    EXPECT_FALSE(store.SetValue("K\\\\bad", "v", RegistryValue::Dword(1)));
    EXPECT_TRUE(store.EndBatch(why));
    EXPECT_EQ(file.ReplaceCount(), 3);
}

// The file is read again at the end, so what another process wrote while the
// batch was open stays, and the batch's changes go on top in their order.
TEST_F(RegistryBatchTest, AnotherWritersChangesDuringTheBatchAreKept)
{
    ASSERT_TRUE(store.SetValue("K", "shared", RegistryValue::String("old")));
    ASSERT_TRUE(store.SetValue("K", "gone", RegistryValue::String("x")));
    store.BeginBatch();
    ASSERT_TRUE(store.SetValue("K", "mine", RegistryValue::String("batch")));
    ASSERT_TRUE(store.SetValue("K", "shared", RegistryValue::String("batch")));
    ASSERT_TRUE(store.DeleteValue("K", "gone"));
    file.SetText("REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"shared\"=\"other\"\n\"theirs\"=\"other\"\n");
    EXPECT_EQ(Text("theirs"), "<absent>");  // the batch reads what it began with
    ASSERT_TRUE(store.EndBatch(why)) << why;
    EXPECT_EQ(Text("theirs"), "other");
    EXPECT_EQ(Text("mine"), "batch");
    EXPECT_EQ(Text("shared"), "batch");
    EXPECT_EQ(Text("gone"), "<absent>");  // deleted by both: nothing to complain about
}

TEST_F(RegistryBatchTest, NestedBatchesJoinTheOutermostOne)
{
    store.BeginBatch();
    ASSERT_TRUE(store.SetValue("K", "outer", RegistryValue::String("1")));
    store.BeginBatch();
    ASSERT_TRUE(store.SetValue("K", "inner", RegistryValue::String("2")));
    EXPECT_TRUE(store.EndBatch(why));
    EXPECT_EQ(file.ReplaceCount(), 0);
    EXPECT_EQ(Text("inner"), "2");
    ASSERT_TRUE(store.SetValue("K", "after", RegistryValue::String("3")));
    EXPECT_TRUE(store.EndBatch(why));
    EXPECT_EQ(file.ReplaceCount(), 1);
    EXPECT_EQ(Text("outer"), "1");
    EXPECT_EQ(Text("inner"), "2");
    EXPECT_EQ(Text("after"), "3");
}

// Whatever stops the end from writing, the caller hears it, nothing of the
// batch is stored, and the store works as before afterwards.
TEST_F(RegistryBatchTest, AnEndThatCannotWriteSaysWhyAndStoresNothing)
{
    ASSERT_TRUE(store.SetValue("K", "kept", RegistryValue::String("x")));
    const auto before = file.Text();
    struct Case {
        const char* name;
        bool CMemoryHiveFile::*fault;
        const char* reason;
    };
    for (const Case& c : {Case{"replace", &CMemoryHiveFile::failReplace, "cannot write"},
                          Case{"lock", &CMemoryHiveFile::failLock, "cannot lock"},
                          Case{"read", &CMemoryHiveFile::failReads, "cannot read"}}) {
        SCOPED_TRACE(c.name);
        store.BeginBatch();
        ASSERT_TRUE(store.SetValue("K", "a", RegistryValue::String("1")));
        ASSERT_TRUE(store.SetValue("K", "b", RegistryValue::String("2")));
        file.*c.fault = true;
        EXPECT_FALSE(store.EndBatch(why));
        file.*c.fault = false;
        EXPECT_NE(why.find(c.reason), std::string::npos) << why;
        EXPECT_EQ(file.Text(), before);
        EXPECT_EQ(Text("a"), "<absent>");  // the batch is over: reads see the file
    }
    store.BeginBatch();
    ASSERT_TRUE(store.SetValue("K", "huge", RegistryValue::String(std::string(kMaxHiveTextBytes, 'x'))));
    EXPECT_FALSE(store.EndBatch(why));
    EXPECT_NE(why.find("larger than 64 MiB"), std::string::npos) << why;
    EXPECT_EQ(file.Text(), before);
    // A kept change that the file as it is now refuses: all or nothing.
    store.BeginBatch();
    ASSERT_TRUE(store.SetValue("K", "c", RegistryValue::String("3")));
    ASSERT_TRUE(store.Modify([](CRegistryHive& hive) { return !hive.KeyExists({"Taken"}); }));
    file.SetText(*before + "[HKEY_CURRENT_USER\\Taken]\n");
    EXPECT_FALSE(store.EndBatch(why));
    EXPECT_NE(why.find("refused"), std::string::npos) << why;
    EXPECT_EQ(Text("c"), "<absent>");
    file.SetText(before);

    ASSERT_TRUE(store.SetValue("K", "later", RegistryValue::String("y")));
    EXPECT_EQ(Text("later"), "y");
}

TEST_F(RegistryBatchTest, AChangeTheHiveRefusesLeavesTheBatchAsItWas)
{
    store.BeginBatch();
    ASSERT_TRUE(store.SetValue("K", "a", RegistryValue::String("1")));
    EXPECT_FALSE(store.Modify([](CRegistryHive& hive) {
        hive.SetValue({"K"}, "half", RegistryValue::String("done"));
        return false;
    }));
    EXPECT_EQ(Text("half"), "<absent>");
    ASSERT_TRUE(store.Modify([](CRegistryHive& hive) { return hive.SetValue({"K"}, "whole", RegistryValue::Dword(2)); }));
    ASSERT_TRUE(store.EndBatch(why));
    EXPECT_EQ(Text("a"), "1");
    EXPECT_EQ(Text("half"), "<absent>");
    RegistryValue v;
    EXPECT_TRUE(store.GetValue("K", "whole", v));
}

// A batch is its thread's: another thread's writes go to the file at once and
// are kept when the batch ends.
TEST_F(RegistryBatchTest, OtherThreadsWriteThroughWhileABatchIsOpen)
{
    store.BeginBatch();
    ASSERT_TRUE(store.SetValue("K", "batched", RegistryValue::String("1")));
    std::thread other([this] {
        EXPECT_TRUE(store.SetValue("K", "direct", RegistryValue::String("2")));
        EXPECT_EQ(Text("batched"), "<absent>");
    });
    other.join();
    EXPECT_EQ(file.ReplaceCount(), 1);
    ASSERT_TRUE(store.EndBatch(why));
    EXPECT_EQ(Text("direct"), "2");
    EXPECT_EQ(Text("batched"), "1");
}

TEST(RegistryBatch, CoversEveryHiveAndWritesOnlyThoseItChanged)
{
    std::vector<std::string> messages;
    CMemoryRegistryHives hives([&](const std::string& m) { messages.push_back(m); });
    {
        CRegistryBatch batch(hives);
        CRegistryBatch nested(hives);
        for (int i = 0; i < 10; ++i)
            ASSERT_TRUE(hives.Store(HKEY_CURRENT_USER)->SetValue("K", std::to_string(i), RegistryValue::Dword(1)));
        EXPECT_TRUE(nested.End());
        EXPECT_EQ(hives.currentUserFile.ReplaceCount(), 0);
        EXPECT_TRUE(batch.End());
        EXPECT_TRUE(batch.End());  // ending twice changes nothing
    }
    EXPECT_EQ(hives.currentUserFile.ReplaceCount(), 1);
    EXPECT_EQ(hives.localMachineFile.ReplaceCount(), 0);

    // A failing hive does not keep the other from being written; the batch
    // says which failed.
    hives.currentUserFile.failReplace = true;
    CRegistryBatch batch(hives);
    ASSERT_TRUE(hives.Store(HKEY_CURRENT_USER)->SetValue("K", "u", RegistryValue::Dword(1)));
    ASSERT_TRUE(hives.Store(HKEY_LOCAL_MACHINE)->SetValue("K", "m", RegistryValue::Dword(1)));
    EXPECT_FALSE(batch.End());
    EXPECT_NE(batch.Failure().find("HKEY_CURRENT_USER (memory)"), std::string::npos) << batch.Failure();
    EXPECT_EQ(hives.localMachineFile.ReplaceCount(), 1);
    EXPECT_EQ(messages.size(), 1u);  // and the store reported it
}

}  // namespace
