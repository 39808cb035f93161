#include "RegistryAccess.h"
#include "RegistryHives.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace {

const std::string kKey = "SOFTWARE\\VARN\\TamloIII";

class RegistryAccessTest : public ::testing::Test {
protected:
    RegistryAccessTest() { reg.SetRootKey(HKEY_CURRENT_USER); }

    void Store(const std::string& name, const RegistryValue& value)
    {
        ASSERT_TRUE(hives.Store(HKEY_CURRENT_USER)->SetValue(kKey, name, value));
    }

    std::vector<std::string> messages;
    CMemoryRegistryHives hives{[this](const std::string& m) { messages.push_back(m); }};
    CRegistryAccess reg{hives};
};

TEST(RegistryAccessRoot, EveryOperationFailsWithoutARootAndTouchesNothing)
{
    CMemoryRegistryHives hives;
    hives.Store(HKEY_CURRENT_USER)->SetValue("K", "v", RegistryValue::String("x"));
    hives.currentUserFile.failLock = true;  // any write attempt would be reported
    CRegistryAccess reg(hives);
    std::uint32_t dword = 7;
    std::array<char, 8> raw{};
    std::string text = "unchanged";
    std::vector<RegistryNamedValue> values;
    std::vector<std::string> subkeys;
    EXPECT_FALSE(reg.KeyExists("K"));
    EXPECT_FALSE(reg.QueryDword("K", "v", &dword));
    EXPECT_FALSE(reg.QueryRaw("K", "v", raw.data(), raw.size()));
    EXPECT_FALSE(reg.QueryString("K", "v", text));
    EXPECT_FALSE(reg.SetDword("K", "d", 1));
    EXPECT_FALSE(reg.SetString("K", "s", "x"));
    EXPECT_FALSE(reg.SetInt("K", "i", 1));
    EXPECT_FALSE(reg.DeleteValue("K", "v"));
    EXPECT_FALSE(reg.EnumValues("K", values));
    EXPECT_FALSE(reg.EnumSubkeys("", subkeys));
    EXPECT_EQ(dword, 7u);
    hives.currentUserFile.failLock = false;
    RegistryValue still;
    EXPECT_TRUE(hives.Store(HKEY_CURRENT_USER)->GetValue("K", "v", still));
}

TEST(RegistryAccessRoot, UnknownRootIsRefusedAndLeavesTheObjectUnset)
{
    CMemoryRegistryHives hives;
    CRegistryAccess reg(hives);
    EXPECT_FALSE(reg.SetRootKey(HKEY_NONE));
    EXPECT_FALSE(reg.SetString("K", "v", "x"));
    EXPECT_TRUE(reg.SetRootKey(HKEY_LOCAL_MACHINE));
    EXPECT_TRUE(reg.SetString("K", "v", "x"));
    EXPECT_TRUE(hives.Store(HKEY_LOCAL_MACHINE)->KeyExists("K"));
    EXPECT_FALSE(hives.Store(HKEY_CURRENT_USER)->KeyExists("K"));
}

TEST_F(RegistryAccessTest, DwordRoundTripsAndIsStoredAsFourBytes)
{
    ASSERT_TRUE(reg.SetDword(kKey, "PosX", 0xFFFFFFF6u));
    std::uint32_t v = 0;
    EXPECT_TRUE(reg.QueryDword(kKey, "PosX", &v));
    EXPECT_EQ(v, 0xFFFFFFF6u);
    RegistryValue stored;
    ASSERT_TRUE(hives.Store(HKEY_CURRENT_USER)->GetValue(kKey, "PosX", stored));
    EXPECT_EQ(stored.type, REG_DWORD);
    EXPECT_EQ(stored.data.size(), 4u);
}

TEST_F(RegistryAccessTest, QueryDwordTakesAnyTypeUpToFourBytesAndFillsOnlyTheFirstBytes)
{
    Store("Two", RegistryValue::Binary({0x34, 0x12}));
    Store("Text", RegistryValue::String("AB"));  // 3 bytes with its NUL
    Store("Eight", RegistryValue::Binary({1, 2, 3, 4, 5, 6, 7, 8}));
    std::uint32_t v = 0xAAAAAAAAu;
    EXPECT_TRUE(reg.QueryDword(kKey, "Two", &v));
    EXPECT_EQ(v, 0xAAAA1234u);
    v = 0xAAAAAAAAu;
    EXPECT_TRUE(reg.QueryDword(kKey, "Text", &v));
    EXPECT_EQ(v, 0xAA004241u);
    v = 5;
    EXPECT_FALSE(reg.QueryDword(kKey, "Eight", &v));
    EXPECT_EQ(v, 5u);
    EXPECT_FALSE(reg.QueryDword(kKey, "Missing", &v));
    EXPECT_FALSE(reg.QueryDword(kKey, "Two", nullptr));
}

TEST_F(RegistryAccessTest, QueryRawZeroFillsAndRefusesValuesLargerThanTheBuffer)
{
    Store("Blob", RegistryValue::Binary({9, 8, 7, 6, 5}));
    std::array<unsigned char, 8> buf;
    buf.fill(0xEE);
    EXPECT_TRUE(reg.QueryRaw(kKey, "Blob", buf.data(), buf.size()));
    EXPECT_EQ(buf, (std::array<unsigned char, 8>{9, 8, 7, 6, 5, 0, 0, 0}));

    std::array<unsigned char, 6> guarded;  // 4 usable bytes and 2 guards
    guarded.fill(0xEE);
    EXPECT_FALSE(reg.QueryRaw(kKey, "Blob", guarded.data(), 4));
    EXPECT_EQ(guarded, (std::array<unsigned char, 6>{0, 0, 0, 0, 0xEE, 0xEE}));

    buf.fill(0xEE);
    EXPECT_FALSE(reg.QueryRaw(kKey, "Missing", buf.data(), buf.size()));
    EXPECT_EQ(buf, (std::array<unsigned char, 8>{}));
    EXPECT_TRUE(reg.QueryRaw(kKey, "Blob", buf.data(), 5));
    EXPECT_FALSE(reg.QueryRaw(kKey, "Blob", nullptr, 5));
}

TEST_F(RegistryAccessTest, StringsKeepTheirNulAndReadBackUpToTheFirstNul)
{
    ASSERT_TRUE(reg.SetString(kKey, "SkinPath", "/opt/velmar/Skin/"));
    std::string out;
    EXPECT_TRUE(reg.QueryString(kKey, "SkinPath", out));
    EXPECT_EQ(out, "/opt/velmar/Skin/");
    RegistryValue stored;
    ASSERT_TRUE(hives.Store(HKEY_CURRENT_USER)->GetValue(kKey, "SkinPath", stored));
    EXPECT_EQ(stored.type, REG_SZ);
    EXPECT_EQ(stored.data.size(), std::string("/opt/velmar/Skin/").size() + 1);

    ASSERT_TRUE(reg.SetString(kKey, "Empty", ""));
    out = "x";
    EXPECT_TRUE(reg.QueryString(kKey, "Empty", out));
    EXPECT_EQ(out, "");
    out = "x";
    EXPECT_FALSE(reg.QueryString(kKey, "Missing", out));
    EXPECT_EQ(out, "");

    Store("Inner", RegistryValue::Binary({'a', 'b', 0, 'c', 0}));
    EXPECT_TRUE(reg.QueryString(kKey, "Inner", out));
    EXPECT_EQ(out, "ab");
}

TEST_F(RegistryAccessTest, QueryStringStopsAtItsBufferSize)
{
    // 1023 characters and the NUL fill the buffer exactly; one more does not fit.
    std::string fits(1023, 'x');
    ASSERT_TRUE(reg.SetString(kKey, "Fits", fits));
    std::string out;
    EXPECT_TRUE(reg.QueryString(kKey, "Fits", out));
    EXPECT_EQ(out, fits);

    ASSERT_TRUE(reg.SetString(kKey, "TooLong", std::string(1024, 'y')));
    EXPECT_FALSE(reg.QueryString(kKey, "TooLong", out));
    EXPECT_EQ(out, "");

    // A full buffer without any NUL yields its 1024 bytes and nothing beyond.
    Store("NoNul", RegistryValue::Binary(std::vector<std::uint8_t>(1024, 'z')));
    EXPECT_TRUE(reg.QueryString(kKey, "NoNul", out));
    EXPECT_EQ(out, std::string(1024, 'z'));
}

TEST_F(RegistryAccessTest, SetIntStoresDecimalText)
{
    ASSERT_TRUE(reg.SetInt(kKey, "Interval", -2147483647 - 1));
    std::string out;
    EXPECT_TRUE(reg.QueryString(kKey, "Interval", out));
    EXPECT_EQ(out, "-2147483648");
    ASSERT_TRUE(reg.SetInt(kKey, "Interval", 3));
    EXPECT_TRUE(reg.QueryString(kKey, "Interval", out));
    EXPECT_EQ(out, "3");
}

TEST_F(RegistryAccessTest, NamesAreCaseInsensitiveAndKeepTheirFirstSpelling)
{
    ASSERT_TRUE(reg.SetString("Software\\Varn\\TamloIII", "SkinPath", "a"));
    ASSERT_TRUE(reg.SetString("SOFTWARE\\VARN\\TAMLOIII", "SKINPATH", "b"));
    std::string out;
    EXPECT_TRUE(reg.QueryString("software\\varn\\tamloiii", "skinpath", out));
    EXPECT_EQ(out, "b");
    EXPECT_TRUE(reg.KeyExists("sOFTWARE\\vARN"));
    std::vector<RegistryNamedValue> values;
    ASSERT_TRUE(reg.EnumValues(kKey, values));
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "SkinPath");
    std::vector<std::string> subkeys;
    ASSERT_TRUE(reg.EnumSubkeys("SOFTWARE\\VARN", subkeys));
    EXPECT_EQ(subkeys, std::vector<std::string>{"TamloIII"});
}

TEST_F(RegistryAccessTest, ValuesEnumerateInFirstWrittenOrder)
{
    CRegistryAccess machine(hives);
    machine.SetRootKey(HKEY_LOCAL_MACHINE);
    const std::string apm = "SOFTWARE\\VARN\\APM";
    for (const char* name : {"Zeta", "alpha", "Mid"})
        ASSERT_TRUE(machine.SetString(apm, name, std::string("/lib/") + name));
    ASSERT_TRUE(machine.SetString(apm, "ZETA", "/lib/rewritten"));  // keeps its place
    ASSERT_TRUE(machine.DeleteValue(apm, "alpha"));
    ASSERT_TRUE(machine.SetString(apm, "Alpha", "/lib/again"));     // moves to the end
    std::vector<RegistryNamedValue> values;
    ASSERT_TRUE(machine.EnumValues(apm, values));
    std::vector<std::string> names;
    for (const auto& v : values)
        names.push_back(v.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Zeta", "Mid", "Alpha"}));
    EXPECT_EQ(values[0].value, RegistryValue::String("/lib/rewritten"));
}

TEST_F(RegistryAccessTest, DeleteValueFailsOnWhatDoesNotExist)
{
    EXPECT_FALSE(reg.DeleteValue(kKey, "Nothing"));        // no key
    ASSERT_TRUE(reg.SetString(kKey, "Min", "FALSE"));
    EXPECT_FALSE(reg.DeleteValue(kKey, "Nothing"));        // no value
    EXPECT_TRUE(reg.DeleteValue(kKey, "MIN"));
    EXPECT_FALSE(reg.DeleteValue(kKey, "Min"));            // already gone
    EXPECT_TRUE(reg.KeyExists(kKey));                      // the key stays
}

TEST_F(RegistryAccessTest, PluginEditionCannotDeleteButReadsAndWritesTheSameStore)
{
    ASSERT_TRUE(reg.SetDword("Software\\VARN\\HWM", "Target", 45));
    CRegistryAccess plugin(hives, CRegistryAccess::Edition::Plugin);
    ASSERT_TRUE(plugin.SetRootKey(HKEY_CURRENT_USER));
    std::uint32_t v = 0;
    EXPECT_TRUE(plugin.QueryDword("SOFTWARE\\VARN\\HWM", "target", &v));
    EXPECT_EQ(v, 45u);
    EXPECT_FALSE(plugin.DeleteValue("Software\\VARN\\HWM", "Target"));
    EXPECT_TRUE(reg.QueryDword("Software\\VARN\\HWM", "Target", &v));
    EXPECT_TRUE(plugin.SetDword("Software\\VARN\\HWM", "Target", 50));
    EXPECT_TRUE(reg.QueryDword("Software\\VARN\\HWM", "Target", &v));
    EXPECT_EQ(v, 50u);
}

TEST_F(RegistryAccessTest, BadPathsAndNamesFailInsteadOfStoringSomethingElse)
{
    for (const char* path : {"\\SOFTWARE", "SOFTWARE\\\\VARN", "SOFT\nWARE"})
        EXPECT_FALSE(reg.SetString(path, "v", "x")) << path;
    EXPECT_FALSE(reg.SetString(std::string(256, 'k'), "v", "x"));
    EXPECT_TRUE(reg.SetString(std::string(255, 'k'), "v", "x"));
    EXPECT_FALSE(reg.SetString(kKey, "line\nbreak", "x"));
    EXPECT_TRUE(reg.SetString("SOFTWARE\\", "trailing", "x"));  // one trailing backslash is the same key
    EXPECT_TRUE(reg.KeyExists("SOFTWARE"));
    // The root itself holds values too (the default value has the empty name).
    EXPECT_TRUE(reg.SetString("", "", "root default"));
    std::string out;
    EXPECT_TRUE(reg.QueryString("", "", out));
    EXPECT_EQ(out, "root default");
}

TEST_F(RegistryAccessTest, AFailedWriteReportsFalseAndKeepsTheOldValue)
{
    ASSERT_TRUE(reg.SetString(kKey, "Skin", "old"));
    hives.currentUserFile.failReplace = true;
    EXPECT_FALSE(reg.SetString(kKey, "Skin", "new"));
    hives.currentUserFile.failReplace = false;
    std::string out;
    EXPECT_TRUE(reg.QueryString(kKey, "Skin", out));
    EXPECT_EQ(out, "old");
}

TEST(RegistryAccessProcess, DefaultObjectsUseTheProcessHivesAndTheOverride)
{
    CMemoryRegistryHives hives;
    OverrideProcessRegistryHives(&hives);
    {
        CRegistryAccess reg;
        ASSERT_TRUE(reg.SetRootKey(HKEY_CURRENT_USER));
        EXPECT_TRUE(reg.SetString("K", "v", "in memory"));
    }
    OverrideProcessRegistryHives(nullptr);
    RegistryValue v;
    EXPECT_TRUE(hives.Store(HKEY_CURRENT_USER)->GetValue("K", "v", v));
}

}  // namespace
