#include "SystemInfoRules.h"
#include "TextLimit.h"

#include <gtest/gtest.h>

namespace {

TEST(BoardModelCleaning, CutsAtTheParenthesisAndTrims)
{
    EXPECT_EQ(CleanBoardModel("  KN9 (Ultra)  "), "KN9");
    EXPECT_EQ(CleanBoardModel("\tP5Q-E\n"), "P5Q-E");
    EXPECT_EQ(CleanBoardModel("(only a note)"), "");
    EXPECT_EQ(CleanBoardModel("A (b) (c)"), "A");
}

TEST(BoardModelCleaning, SlashesBecomeUnderscoresOnlyWhenDoubled)
{
    EXPECT_EQ(CleanBoardModel("AB9//X"), "AB9__X");
    EXPECT_EQ(CleanBoardModel("A/B//C"), "A_B__C");
    EXPECT_EQ(CleanBoardModel("IP35/Pro"), "IP35/Pro");
    // The cut comes first: a "//" inside the parenthesis no longer counts.
    EXPECT_EQ(CleanBoardModel("X/Y (a//b)"), "X/Y");
}

TEST(VgaIdExtraction, TakesTheSubsystemPart)
{
    EXPECT_EQ(ExtractVgaId("PCI\\VEN_10DE&DEV_0221&SUBSYS_00000000&REV_A1\\4&1"), "SUBSYS_00000000");
    EXPECT_EQ(ExtractVgaId("PCI\\VEN_10DE&DEV_0221&SUBSYS_82341043&REV_A1\\0000:01:00.0"), "SUBSYS_82341043");
}

TEST(VgaIdExtraction, MissingMarkers)
{
    EXPECT_EQ(ExtractVgaId("PCI\\VEN_10DE&DEV_0221"), "");
    EXPECT_EQ(ExtractVgaId(""), "");
    EXPECT_EQ(ExtractVgaId("NULL"), "");
    // "SUBSYS" without "&REV" after it.
    EXPECT_EQ(ExtractVgaId("PCI\\VEN_1&SUBSYS_1234"), "");
    EXPECT_EQ(ExtractVgaId("&REV_01 SUBSYS_1"), "");
    // "&REV" without "SUBSYS": counted from one before the start.
    EXPECT_EQ(ExtractVgaId("VEN_1&REV_01"), "VEN_1&");
}

TEST(ServicePack, NumberAfterSP)
{
    EXPECT_EQ(ServicePackAnswer("Service Pack 2"), "SP2");
    EXPECT_EQ(ServicePackAnswer("  Service Pack 1a "), "SP1a");
    EXPECT_EQ(ServicePackAnswer(""), "");
}

TEST(BiosDate, ReformatsTheDateTime)
{
    EXPECT_EQ(BiosDateFromWmi("20060315000000.000000+000", false), "03/15/2006");
    EXPECT_EQ(BiosDateFromWmi("19060315000000.000000+000", true), "03/15/2006");
    EXPECT_EQ(BiosDateFromWmi("19060315", false), "03/15/1906");
    EXPECT_EQ(BiosDateFromWmi("2006031", false), "");
    EXPECT_EQ(BiosDateFromWmi("", true), "");
}

TEST(BiosDate, CenturyQuirkOnlyBeforeTheThirdServicePack)
{
    EXPECT_TRUE(Win2000DateNeedsCentury(""));
    EXPECT_TRUE(Win2000DateNeedsCentury("SP1"));
    EXPECT_TRUE(Win2000DateNeedsCentury("SP2"));
    EXPECT_FALSE(Win2000DateNeedsCentury("SP3"));
    EXPECT_FALSE(Win2000DateNeedsCentury("SP4"));
}

TEST(DirectXTable, ExactRowsBeforeTheirFamily)
{
    EXPECT_EQ(DirectXRelease("4.05.00.0155"), "5.0");
    EXPECT_EQ(DirectXRelease("4.06.02.0436"), "6.0");
    EXPECT_EQ(DirectXRelease("4.07.00.0700"), "7.0");
    EXPECT_EQ(DirectXRelease("4.08.01.0810"), "8.1");
    EXPECT_EQ(DirectXRelease("4.08.01.0881"), "8.1");
    EXPECT_EQ(DirectXRelease("4.08.01.0901"), "8.1a");
    EXPECT_EQ(DirectXRelease("4.08.02.0134"), "8.2");
    EXPECT_EQ(DirectXRelease("4.08.00.0400"), "8.0");
    EXPECT_EQ(DirectXRelease("4.09.00.0900"), "9.0");
    EXPECT_EQ(DirectXRelease("4.09.00.0901"), "9.0a");
    EXPECT_EQ(DirectXRelease("4.09.00.0902"), "9.0b");
    EXPECT_EQ(DirectXRelease("4.09.00.0904"), "4.09.00.0904");
    EXPECT_EQ(DirectXRelease(""), "");
}

TEST(TextLimit, CutsOnCharacterBoundaries)
{
    EXPECT_EQ(CutToByteLimit("abcdef", 3), "abc");
    EXPECT_EQ(CutToByteLimit("ab", 3), "ab");
    // Three-byte euro sign at positions 1-3.
    const std::string euro = "a\xE2\x82\xAC" "b";
    EXPECT_EQ(CutToByteLimit(euro, 1), "a");
    EXPECT_EQ(CutToByteLimit(euro, 2), "a");
    EXPECT_EQ(CutToByteLimit(euro, 3), "a");
    EXPECT_EQ(CutToByteLimit(euro, 4), "a\xE2\x82\xAC");
    EXPECT_EQ(CutToByteLimit("\xE2\x82\xAC", 2), "");
    // Bytes that are no UTF-8 are cut where the limit falls.
    EXPECT_EQ(CutToByteLimit("\x80\x80\x80\x80\x80", 2), "\x80\x80");
}

}  // namespace
