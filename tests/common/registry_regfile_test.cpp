#include "RegFile.h"

#include <gtest/gtest.h>

namespace {

CRegistryHive Load(const std::string& text, HKEY root = HKEY_CURRENT_USER)
{
    std::vector<RegFileEntry> entries;
    RegFileError error;
    EXPECT_TRUE(ParseRegFile(text, entries, error)) << error.line << ": " << error.message;
    CRegistryHive hive;
    ApplyRegFileEntries(entries, root, hive);
    return hive;
}

RegFileError ParseError(const std::string& text)
{
    std::vector<RegFileEntry> entries;
    RegFileError error;
    EXPECT_FALSE(ParseRegFile(text, entries, error)) << text;
    EXPECT_TRUE(entries.empty());
    return error;
}

const RegistryKeyPath kKey{"SOFTWARE", "VARN"};

TEST(RegFile, EveryKindOfValueSurvivesAWriteAndARead)
{
    CRegistryHive hive;
    std::vector<RegistryNamedValue> values = {
        {"Plain", RegistryValue::String("C:\\path with \"quotes\"")},
        {"", RegistryValue::String("default value")},
        {"Empty", RegistryValue::String("")},
        {"Dword", RegistryValue::Dword(0x0000000A)},
        {"Bytes", RegistryValue::Binary({0x00, 0x7f, 0xff})},
        {"NoBytes", RegistryValue::Binary({})},
        {"Lines", RegistryValue::String("two\nlines\r")},
        {"InnerNul", RegistryValue{REG_SZ, {'a', 0, 'b', 0}}},
        {"NoNul", RegistryValue{REG_SZ, {'a', 'b'}}},
        {"ShortDword", RegistryValue{REG_DWORD, {1, 2}}},
        {"Expand", RegistryValue{REG_EXPAND_SZ, {'%', 'x', '%', 0}}},
        {"BigType", RegistryValue{0x12345678, {1}}},
        {"Long", RegistryValue::Binary(std::vector<std::uint8_t>(300, 0xab))},
        {"na\"me\\", RegistryValue::String("odd name")},
        {"UTF-8 \xc3\xa4", RegistryValue::String("\xe2\x82\xac")},
    };
    for (const auto& v : values)
        ASSERT_TRUE(hive.SetValue(kKey, v.name, v.value));
    hive.CreateKey({"Empty", "Key"});

    std::string text = FormatRegFile(HKEY_CURRENT_USER, hive);
    CRegistryHive back = Load(text);
    ASSERT_NE(back.Values(kKey), nullptr);
    EXPECT_EQ(*back.Values(kKey), values);
    EXPECT_TRUE(back.KeyExists({"Empty", "Key"}));
    EXPECT_EQ(FormatRegFile(HKEY_CURRENT_USER, back), text);
}

TEST(RegFile, WritesTheUsualNotationAndWrapsLongHexLines)
{
    CRegistryHive hive;
    hive.SetValue(kKey, "S", RegistryValue::String("a\\b"));
    hive.SetValue(kKey, "D", RegistryValue::Dword(0xDEADBEEF));
    hive.SetValue(kKey, "B", RegistryValue::Binary(std::vector<std::uint8_t>(40, 1)));
    std::string text = FormatRegFile(HKEY_LOCAL_MACHINE, hive);
    EXPECT_TRUE(text.starts_with("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\n"
                                 "[HKEY_LOCAL_MACHINE\\SOFTWARE\\VARN]\n\"S\"=\"a\\\\b\"\n\"D\"=dword:deadbeef\n"
                                 "\"B\"=hex:01,"))
        << text;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        EXPECT_LE(end - start, 80u) << text.substr(start, end - start);
        start = end + 1;
    }
    EXPECT_NE(text.find(",\\\n  01,"), std::string::npos);
}

TEST(RegFile, ReadsWhatRegeditAndPeopleWrite)
{
    CRegistryHive hive = Load(
        "\xEF\xBB\xBFREGEDIT4\r\n"
        "\r\n"
        "; a comment\r\n"
        "[HKEY_CURRENT_USER\\Software\\VARN]\r\n"
        "\"A\" = \"x\"\r\n"
        "  \"B\"=DWORD:0000FFFF   \r\n"
        "\"C\"=hex:01,02,\\\r\n"
        "  03,04\r\n"
        "@=\"def\"\r\n"
        "[hkey_current_user\\software\\varn]\r\n"
        "\"a\"=\"y\"\r\n");
    const auto* values = hive.Values(kKey);
    ASSERT_NE(values, nullptr);
    ASSERT_EQ(values->size(), 4u);
    EXPECT_EQ((*values)[0], (RegistryNamedValue{"A", RegistryValue::String("y")}));
    EXPECT_EQ((*values)[1].value, RegistryValue::Dword(0xFFFF));
    EXPECT_EQ((*values)[2].value, RegistryValue::Binary({1, 2, 3, 4}));
    EXPECT_EQ((*values)[3].name, "");
}

TEST(RegFile, DeletionsRemoveKeysTreesAndValues)
{
    CRegistryHive hive = Load(
        "REGEDIT4\n"
        "[HKEY_CURRENT_USER\\A\\B\\C]\n\"v\"=\"1\"\n"
        "[HKEY_CURRENT_USER\\A\\Keep]\n\"v\"=\"1\"\n\"gone\"=\"1\"\n"
        "[-HKEY_CURRENT_USER\\A\\B]\n"
        "[HKEY_CURRENT_USER\\A\\Keep]\n\"gone\"=-\n\"never\"=-\n"
        "[-HKEY_CURRENT_USER\\Not\\There]\n");
    EXPECT_FALSE(hive.KeyExists({"A", "B"}));
    EXPECT_FALSE(hive.KeyExists({"A", "B", "C"}));
    ASSERT_NE(hive.Values({"A", "Keep"}), nullptr);
    EXPECT_EQ(hive.Values({"A", "Keep"})->size(), 1u);
}

TEST(RegFile, ExportsASubtreeOnly)
{
    CRegistryHive hive;
    hive.SetValue({"A", "B"}, "v", RegistryValue::String("in"));
    hive.SetValue({"A", "Bx"}, "v", RegistryValue::String("sibling with a shared prefix"));
    hive.CreateKey({"A", "B", "Empty"});
    EXPECT_EQ(FormatRegFile(HKEY_CURRENT_USER, hive, {"a", "b"}),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\A\\B]\n\"v\"=\"in\"\n\n[HKEY_CURRENT_USER\\A\\B\\Empty]\n\n");
}

TEST(RegFile, FilesCutInTheMiddleOrHoldingGarbageFailWithTheirLine)
{
    const std::string head = "REGEDIT4\n\n[HKEY_CURRENT_USER\\K]\n";
    struct Case {
        std::string tail;
        int line;
    } cases[] = {
        {"\"a\"=\"unterminated\n", 4},
        {"\"a\"=dword:0000000\n", 4},
        {"\"a\"=dword:0000000g\n", 4},
        {"\"a\"=hex:01,0\n", 4},
        {"\"a\"=hex:01,\n", 4},
        {"\"a\"=hex:01,\\\n", 4},
        {"\"a\"=hex(:01\n", 4},
        {"\"a\"=\"x\" trailing\n", 4},
        {"\"a\"=\"bad \\n escape\"\n", 4},
        {"\"a\"\n", 4},
        {"\"a\"=what\n", 4},
        {"[HKEY_CURRENT_USER\\K\n", 4},
        {"[HKEY_CLASSES_ROOT\\K]\n", 4},
        {"[HKEY_CURRENT_USER\\\\K]\n", 4},
        {"[-HKEY_CURRENT_USER]\n", 4},
        {"[-HKEY_CURRENT_USER\\K]\n\"a\"=\"1\"\n", 5},
        {"garbage\n", 4},
        {"\"ok\"=\"1\"\n\x01\x02\x03\n", 5},
    };
    for (const Case& c : cases) {
        RegFileError error = ParseError(head + c.tail);
        EXPECT_EQ(error.line, c.line) << c.tail << " -> " << error.message;
        EXPECT_FALSE(error.message.empty());
    }
    EXPECT_EQ(ParseError("").line, 0);
    EXPECT_EQ(ParseError("REGEDIT5\n").line, 1);
    EXPECT_EQ(ParseError("\"a\"=\"1\"\n").line, 1);
    EXPECT_EQ(ParseError("REGEDIT4\n\"a\"=\"1\"\n").line, 2);
    using namespace std::string_literals;
    ParseError("REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"a\"=\"x\0y\"\n"s);
}

TEST(RegFile, AHiveIsReadAroundItsBadLines)
{
    using namespace std::string_literals;
    std::string deep;
    for (int i = 0; i < 10000; ++i)
        deep += "\\k";
    const std::string text = "REGEDIT4\n"
                             "[HKEY_CURRENT_USER\\A]\n"
                             "\"ok1\"=\"1\"\n"
                             "\"Broken\"=\"a\n"  // a line break inside a string
                             "b\"\n"
                             "\"nul\"=\"x\0y\"\n"s
                             "\"hexbad\"=hex:01,\\\n"
                             "  zz,02\n"  // skipped with the line it continues
                             "\"ok2\"=dword:00000002\n"
                             "[HKEY_CURRENT_USER" + deep + "]\n"
                             "\"lost\"=\"under a key line that does not read\"\n"
                             "[HKEY_CURRENT_USER\\B]\n"
                             "\"ok3\"=hex:01,\\\n"
                             "  02\n"
                             "\"cut\"=hex(7):41,00,4";  // the file ends in the middle of a byte
    std::vector<RegFileEntry> entries;
    std::vector<RegFileError> skipped;
    RegFileError error;
    ASSERT_TRUE(ParseRegFileTolerant(text, entries, skipped, error));
    std::vector<int> lines;
    for (const RegFileError& skip : skipped) {
        lines.push_back(skip.line);
        EXPECT_FALSE(skip.message.empty());
    }
    EXPECT_EQ(lines, (std::vector<int>{4, 5, 6, 7, 10, 11, 15}));
    EXPECT_NE(skipped[3].message.find("goes on to line 8"), std::string::npos) << skipped[3].message;

    CRegistryHive hive;
    ApplyRegFileEntries(entries, HKEY_CURRENT_USER, hive);
    ASSERT_NE(hive.Values({"A"}), nullptr);
    EXPECT_EQ(hive.Values({"A"})->size(), 2u);
    EXPECT_NE(hive.FindValue({"A"}, "ok2"), nullptr);
    ASSERT_NE(hive.FindValue({"B"}, "ok3"), nullptr);
    EXPECT_EQ(*hive.FindValue({"B"}, "ok3"), RegistryValue::Binary({1, 2}));
    EXPECT_EQ(hive.Keys().size(), 3u);  // the root, A and B

    // Not a hive at all: nothing is read.
    for (const std::string& junk : {"garbage\n"s, "\x7f" "ELF\0REGEDIT4\n"s, ""s}) {
        EXPECT_FALSE(ParseRegFileTolerant(junk, entries, skipped, error));
        EXPECT_TRUE(entries.empty());
        EXPECT_TRUE(skipped.empty());
    }
    RegistryKeyPath path;
    std::string levels = "k";
    for (std::size_t i = 1; i < kMaxKeyDepth; ++i)
        levels += "\\k";
    EXPECT_TRUE(ParseKeyPath(levels, path));
    EXPECT_FALSE(ParseKeyPath(levels + "\\k", path));
}

TEST(RegFile, EntriesOfTheOtherRootAreLeftForItsHive)
{
    const std::string text =
        "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\VARN\\APM]\n\"Z\"=\"/z.so\"\n"
        "[HKEY_CURRENT_USER\\SOFTWARE\\VARN\\TamloIII]\n\"Mode\"=dword:00000002\n";
    CRegistryHive machine = Load(text, HKEY_LOCAL_MACHINE);
    CRegistryHive user = Load(text, HKEY_CURRENT_USER);
    EXPECT_NE(machine.FindValue({"SOFTWARE", "VARN", "APM"}, "z"), nullptr);
    EXPECT_FALSE(machine.KeyExists({"SOFTWARE", "VARN", "TamloIII"}));
    EXPECT_NE(user.FindValue({"SOFTWARE", "VARN", "TamloIII"}, "MODE"), nullptr);
    EXPECT_FALSE(user.KeyExists({"SOFTWARE", "VARN", "APM"}));
}

}  // namespace
