#include "IniProfile.h"
#include "FileParseCache.h"
#include "sysinfo_test_support.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const char* const kViewIni =
    "; plug-in view file of a skin\r\n"
    "[ZEFAN_PLUGIN]\r\n"
    "xml = Fan\\fan.xml \r\n"
    "Update=1\r\n"
    "share=0\r\n"
    "\r\n"
    "  ; an indented comment\r\n"
    "[ varneq_plugin ]\r\n"
    "Icon=\"icons\\eq.ico\"\r\n"
    "Name='Monitor'\r\n"
    "Quoted=\"unbalanced'\r\n"
    "Inline=value ; not a comment\r\n"
    "Empty=\r\n";

TEST(IniProfile, NamesAreCaseInsensitiveAndBlanksTrimmed)
{
    CIniProfile ini = CIniProfile::Parse(kViewIni);
    EXPECT_EQ(ini.GetString("zefan_plugin", "XML", "", 256), "Fan\\fan.xml");
    EXPECT_EQ(ini.GetInt("Zefan_Plugin", "update", 0), 1);
    EXPECT_EQ(ini.GetString("VARNEQ_PLUGIN", "name", "", 256), "Monitor");
}

TEST(IniProfile, QuotePairsStripOnlyWhenTheyMatch)
{
    CIniProfile ini = CIniProfile::Parse(kViewIni);
    EXPECT_EQ(ini.GetString("VARNEQ_PLUGIN", "Icon", "", 256), "icons\\eq.ico");
    EXPECT_EQ(ini.GetString("VARNEQ_PLUGIN", "Quoted", "", 256), "\"unbalanced'");
    EXPECT_EQ(ini.GetString("VARNEQ_PLUGIN", "Inline", "", 256), "value ; not a comment");
}

TEST(IniProfile, MissingKeysGiveTheDefaultButEmptyValuesDoNotForStrings)
{
    CIniProfile ini = CIniProfile::Parse(kViewIni);
    EXPECT_EQ(ini.GetString("VARNEQ_PLUGIN", "Empty", "Error", 512), "");
    EXPECT_EQ(ini.GetString("VARNEQ_PLUGIN", "Missing", "Error  ", 512), "Error");
    EXPECT_EQ(ini.GetString("NO_SUCH_PLUGIN", "xml", "", 256), "");
    // An integer key that is present but empty reads as its default.
    EXPECT_EQ(ini.GetInt("VARNEQ_PLUGIN", "Empty", -1), -1);
    EXPECT_EQ(ini.GetInt("VARNEQ_PLUGIN", "Missing", -1), -1);
    // Comments are no keys.
    EXPECT_EQ(ini.GetString("ZEFAN_PLUGIN", "; plug-in view file of a skin", "none", 64), "none");
}

TEST(IniProfile, ResultsAreCutToTheBufferLessItsTerminator)
{
    CIniProfile ini = CIniProfile::Parse("[S]\nk=abcdefghij\nq=\"abcd\"\n");
    EXPECT_EQ(ini.GetString("S", "k", "", 5), "abcd");
    EXPECT_EQ(ini.GetString("S", "k", "", 1), "");
    EXPECT_EQ(ini.GetString("S", "k", "", 0), "");
    EXPECT_EQ(ini.GetString("S", "missing", "default", 4), "def");
    // The quotes go before the cut, so a value that fits once unquoted fits.
    EXPECT_EQ(ini.GetString("S", "q", "", 5), "abcd");
    // A cut never leaves half a character behind.
    CIniProfile utf8 = CIniProfile::Parse("[S]\nname=L\xC3\xBC" "fter\n");
    EXPECT_EQ(utf8.GetString("S", "name", "", 3), "L");
    EXPECT_EQ(utf8.GetString("S", "name", "", 4), "L\xC3\xBC");
}

TEST(IniProfile, IntegersTakeASignAndTheLeadingDigits)
{
    CIniProfile ini = CIniProfile::Parse(
        "[N]\nplain=1500\npx=12px\nword=abc\nneg=-7\nplus=+42\nspaced= 33 \nquoted=\"8\"\n"
        "huge=99999999999999999999\nlow=-99999999999\nsign=-\n");
    EXPECT_EQ(ini.GetInt("N", "plain", -1), 1500);
    EXPECT_EQ(ini.GetInt("N", "px", -1), 12);
    EXPECT_EQ(ini.GetInt("N", "word", -1), 0);
    EXPECT_EQ(ini.GetInt("N", "neg", 0), -7);
    EXPECT_EQ(ini.GetInt("N", "plus", 0), 42);
    EXPECT_EQ(ini.GetInt("N", "spaced", 0), 33);
    EXPECT_EQ(ini.GetInt("N", "quoted", 0), 8);
    EXPECT_EQ(ini.GetInt("N", "huge", 0), INT_MAX);
    EXPECT_EQ(ini.GetInt("N", "low", 0), INT_MIN);
    EXPECT_EQ(ini.GetInt("N", "sign", 5), 0);
}

TEST(IniProfile, TheFirstOfDuplicateSectionsAndKeysWins)
{
    CIniProfile ini = CIniProfile::Parse(
        "[ITEM1]\nName=first\nName=second\n"
        "[item1]\nName=third\nPinName=only-in-the-repeat\n"
        "[ITEM2]\nName=two\n");
    EXPECT_EQ(ini.GetString("ITEM1", "Name", "", 64), "first");
    // The repeated section is ignored as a whole.
    EXPECT_EQ(ini.GetString("ITEM1", "PinName", "Error", 64), "Error");
    EXPECT_EQ(ini.GetString("ITEM2", "Name", "", 64), "two");
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"ITEM1", "ITEM2"}));
    EXPECT_EQ(ini.KeyNames("item1"), (std::vector<std::string>{"Name"}));
}

TEST(IniProfile, LineEndsOfEveryKindAndNoFinalNewline)
{
    CIniProfile ini = CIniProfile::Parse("\xEF\xBB\xBF[A]\rx=1\r[B]\r\ny=2\n[C]\nz=3");
    EXPECT_EQ(ini.GetInt("A", "x", 0), 1);
    EXPECT_EQ(ini.GetInt("B", "y", 0), 2);
    EXPECT_EQ(ini.GetInt("C", "z", 0), 3);
}

TEST(IniProfile, LinesThatAreNotKeysAreSkipped)
{
    CIniProfile ini = CIniProfile::Parse("before=section\n[S\nno equals sign\n[S]\n=nameless\nk=v\n");
    EXPECT_EQ(ini.GetString("", "before", "none", 16), "none");
    EXPECT_EQ(ini.GetString("S", "k", "", 16), "v");
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"S"}));
}

TEST(IniProfileFile, VeryLongLinesAreReadWholeAndCutOnlyByTheBuffer)
{
    SysinfoTempFolder folder;
    const std::string longValue(200000, 'x');
    const std::string path = folder.Write("long.ini", "[S]\nlong=" + longValue + "\nafter=ok");
    EXPECT_EQ(GetProfileString(path, "S", "long", "", 256), std::string(255, 'x'));
    EXPECT_EQ(GetProfileString(path, "S", "long", "", longValue.size() + 1), longValue);
    EXPECT_EQ(GetProfileString(path, "S", "after", "", 256), "ok");
}

TEST(IniProfileFile, MissingOrUnreadableFilesReadAsDefaults)
{
    SysinfoTempFolder folder;
    EXPECT_EQ(GetProfileString(folder.File("absent.ini"), "GLOBAL", "Total_Item_Count", "Error", 512), "Error");
    EXPECT_EQ(GetProfileInt(folder.File("absent.ini"), "GLOBAL", "Total_Item_Count", -1), -1);
    // A folder in the file's place.
    std::filesystem::create_directory(folder.File("folder.ini"));
    EXPECT_EQ(GetProfileInt(folder.File("folder.ini"), "GLOBAL", "Total_Item_Count", -1), -1);
    EXPECT_TRUE(GetProfileSectionNames(folder.File("absent.ini")).empty());

    const std::string path = folder.Write("board.ini", "[GLOBAL]\nTotal_Item_Count=3\n[ITEM1]\nItemType=3\n");
    EXPECT_EQ(GetProfileInt(path, "global", "total_item_count", -1), 3);
    EXPECT_EQ(GetProfileKeyNames(path, "ITEM1"), (std::vector<std::string>{"ItemType"}));

    // A file no profile comes near in size, as a skin could ship it for the
    // host to read on every tick, is no profile.
    const std::string huge = folder.Write("huge.ini", "[GLOBAL]\nTotal_Item_Count=3\n");
    std::filesystem::resize_file(huge, kMaxIniFileBytes + 1);
    EXPECT_EQ(GetProfileInt(huge, "GLOBAL", "Total_Item_Count", -1), -1);
}

TEST(IniProfile, AFileOfManyKeysAndSectionsReadsInOnePass)
{
    // Reading used to compare every key with every earlier one: hours for this.
    std::string text = "[Many]\n";
    constexpr int kKeys = 300000;
    for (int i = 0; i < kKeys; ++i) text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    for (int i = 0; i < kKeys / 10; ++i) text += "[S" + std::to_string(i) + "]\nk=" + std::to_string(i) + "\n";
    text += "[many]\nKey0=shadowed\n";
    const CIniProfile ini = CIniProfile::Parse(text);
    EXPECT_EQ(ini.KeyNames("MANY").size(), static_cast<std::size_t>(kKeys));
    EXPECT_EQ(ini.GetInt("many", "KEY0", -1), 0);
    EXPECT_EQ(ini.GetInt("Many", "Key299999", -1), kKeys - 1);
    EXPECT_EQ(ini.GetInt("s29999", "K", -1), 29999);
    EXPECT_EQ(ini.SectionNames().size(), static_cast<std::size_t>(kKeys / 10 + 1));
}

}  // namespace

TEST(FileParseCache, ParsesAgainOnlyWhenThePathOrTheFileChanged)
{
    SysinfoTempFolder folder;
    int parses = 0;
    CFileParseCache<CIniProfile> cache([&parses](const std::string& path) {
        ++parses;
        return CIniProfile::Load(path);
    });
    const std::string view = folder.Write("PlugInView.ini", "[ZEFAN_PLUGIN]\nshare=1\n");
    EXPECT_EQ(cache.Get(view).GetInt("ZEFAN_PLUGIN", "share", 0), 1);
    EXPECT_EQ(cache.Get(view).GetInt("ZEFAN_PLUGIN", "share", 0), 1);
    EXPECT_EQ(parses, 1) << "an unchanged file is not read again";

    // An edit, a file replaced by another (as an install or an editor does),
    // one that went away and another path are each read afresh.
    folder.Write("PlugInView.ini", "[ZEFAN_PLUGIN]\nshare=0\nUpdate=1\n");
    EXPECT_EQ(cache.Get(view).GetInt("ZEFAN_PLUGIN", "share", 1), 0);
    const std::string other = folder.Write("other.ini", "[ZEFAN_PLUGIN]\nshare=7\n");
    std::filesystem::rename(other, view);
    EXPECT_EQ(cache.Get(view).GetInt("ZEFAN_PLUGIN", "share", 0), 7);
    std::filesystem::remove(view);
    EXPECT_EQ(cache.Get(view).GetInt("ZEFAN_PLUGIN", "share", -1), -1);
    const std::string second = folder.Write("second.ini", "[A]\nb=2\n");
    EXPECT_EQ(cache.Get(second).GetInt("A", "b", 0), 2);
    EXPECT_EQ(parses, 5);
}
