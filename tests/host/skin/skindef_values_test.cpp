// The value rules of skin definitions: folders, file names, numbers, flags
// and the character limit.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "SkinValues.h"
#include "TextLimit.h"

TEST(SkinValues, FoldersGetExactlyOneTrailingSeparator) {
    EXPECT_EQ(SkinFolderWithSeparator("/opt/velmar/Skin/Kavo"), "/opt/velmar/Skin/Kavo/");
    EXPECT_EQ(SkinFolderWithSeparator("/opt/velmar/Skin/Kavo/"), "/opt/velmar/Skin/Kavo/");
    EXPECT_EQ(SkinFolderWithSeparator("/opt/velmar/Skin/Kavo\\"), "/opt/velmar/Skin/Kavo/");
    EXPECT_EQ(SkinFolderWithSeparator("Skin"), "Skin/");
    EXPECT_EQ(SkinFolderWithSeparator(""), "/");
}

TEST(SkinValues, FileNamesJoinByPlainConcatenationWithBackslashesAsSeparators) {
    EXPECT_EQ(JoinSkinFile("/s/", "back.bmp"), "/s/back.bmp");
    EXPECT_EQ(JoinSkinFile("/s/", "img\\btn\\a.bmp"), "/s/img/btn/a.bmp");
    EXPECT_EQ(JoinSkinFile("/s/", "img/a.bmp"), "/s/img/a.bmp");
    EXPECT_EQ(JoinSkinFile("/s/", ""), "/s/");
    // Nothing is normalised or checked.
    EXPECT_EQ(JoinSkinFile("/s/", "..\\x.bmp"), "/s/../x.bmp");
    EXPECT_EQ(JoinSkinFile("/s/", "/abs.bmp"), "/s//abs.bmp");
}

TEST(SkinValues, NumbersReadTheirLeadingDecimalInteger) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"12px", 12},     {"12", 12},          {"-4", -4},       {"+7", 7},
        {"  5", 5},       {"\t9", 9},          {"3.9", 3},       {"007", 7},
        {"abc", 0},       {"", 0},             {"px12", 0},      {"- 3", 0},
        {"--3", 0},       {"2147483647", INT_MAX},               {"-2147483648", INT_MIN},
        {"99999999999999999999", INT_MAX},     {"-99999999999999999999", INT_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseSkinNumber(c.text), c.value);
    }
}

TEST(SkinValues, OnlyExactUpperCaseTrueIsAFlag) {
    EXPECT_TRUE(ParseSkinFlag("TRUE"));
    for (const char* text : {"true", "True", " TRUE", "TRUE ", "", "1", "YES", "TRUEX"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseSkinFlag(text));
    }
}

TEST(TextLimit, CutsAtCharacterBoundaries) {
    std::string text = "abcdef";
    EXPECT_FALSE(CutToCharacters(text, 6));
    EXPECT_EQ(text, "abcdef");
    EXPECT_TRUE(CutToCharacters(text, 4));
    EXPECT_EQ(text, "abcd");
    EXPECT_TRUE(CutToCharacters(text, 0));
    EXPECT_EQ(text, "");

    // Two-, three- and four-byte characters are kept whole.
    std::string mixed = "a\xC3\xA9\xE9\xA2\xA8\xF0\x9F\x8C\x80z";  // a é 風 🌀 z
    EXPECT_FALSE(CutToCharacters(mixed, 5));
    EXPECT_EQ(mixed.size(), 11u);
    std::string copy = mixed;
    EXPECT_TRUE(CutToCharacters(copy, 4));
    EXPECT_EQ(copy, "a\xC3\xA9\xE9\xA2\xA8\xF0\x9F\x8C\x80");
    copy = mixed;
    EXPECT_TRUE(CutToCharacters(copy, 2));
    EXPECT_EQ(copy, "a\xC3\xA9");

    // Bytes that are not UTF-8 count one each, and a truncated sequence at
    // the end is not read past.
    std::string broken = "\xFF\xFE" "ab\xE9\xA2";
    EXPECT_TRUE(CutToCharacters(broken, 3));
    EXPECT_EQ(broken, "\xFF\xFE" "a");
    broken = "ab\xE9\xA2";
    EXPECT_TRUE(CutToCharacters(broken, 3));
    EXPECT_EQ(broken, "ab\xE9");
}
