#include "OsLanguage.h"
#include "OsVersion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace {

struct Flags {
    bool unknown, w95, w98, wme, ntOther, w2000, wxp, w2003, nt, xp64, w2003_64;
};

Flags Read(const COsVersion& v)
{
    EXPECT_EQ(v.IsWin9x(), v.Is9xFamily());
    return {v.IsUnknownPlatform(), v.IsWin95(), v.IsWin98(), v.IsWinME(), v.IsNTOther(), v.IsWin2000(),
            v.IsWinXP(), v.IsWin2003(), v.IsNTFamily(), v.IsWinXP64(), v.IsWin2003_64()};
}

bool operator==(const Flags& a, const Flags& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

OsVersionRecord Record(std::uint32_t platform, std::uint32_t major, std::uint32_t minor,
                       std::uint8_t product = 1, bool wow64 = false)
{
    OsVersionRecord r;
    r.platformId = platform;
    r.major = major;
    r.minor = minor;
    r.productType = product;
    r.wow64 = wow64;
    r.servicePack = "Service Pack 2";
    return r;
}

TEST(OsVersion, DetectsEachSystemFromItsVersionRecord)
{
    //                  unk    95     98     ME     NTo    2000   XP     2003   NT     XP64   2003_64
    const Flags none{false, false, false, false, false, false, false, false, false, false, false};
    auto with = [&](auto member) { Flags f = none; f.*member = true; return f; };
    struct Case {
        OsVersionRecord record;
        Flags expected;
    } cases[] = {
        {Record(1, 4, 0), with(&Flags::w95)},
        {Record(1, 3, 95), with(&Flags::w95)},
        {Record(1, 4, 10), with(&Flags::w98)},
        {Record(1, 4, 50), with(&Flags::w98)},
        {Record(1, 4, 90), with(&Flags::wme)},
        {Record(0, 4, 0), with(&Flags::unknown)},
    };
    for (const Case& c : cases) {
        COsVersion v(c.record);
        EXPECT_TRUE(Read(v) == c.expected) << c.record.platformId << " " << c.record.major << "." << c.record.minor;
        EXPECT_EQ(v.Is9xFamily(), c.record.platformId == 1);
        EXPECT_EQ(v.GetServicePack(), "");
    }
    struct NtCase {
        OsVersionRecord record;
        bool Flags::*flag;
    } nt[] = {
        {Record(2, 4, 0), &Flags::ntOther},
        {Record(2, 6, 1), &Flags::ntOther},
        {Record(2, 5, 0), &Flags::w2000},
        {Record(2, 5, 1), &Flags::wxp},
        {Record(2, 5, 2), &Flags::w2003},
        {Record(2, 5, 7), &Flags::w2003},
        {Record(2, 5, 2, 1, true), &Flags::xp64},
        {Record(2, 5, 1, 3, true), &Flags::w2003_64},
        {Record(2, 5, 2, 2, true), &Flags::w2003},  // a domain controller keeps its flag
        {Record(2, 5, 0, 1, true), &Flags::w2000},  // no 64-bit edition of 2000
    };
    for (const NtCase& c : nt) {
        COsVersion v(c.record);
        Flags expected = with(c.flag);
        expected.nt = true;
        EXPECT_TRUE(Read(v) == expected) << c.record.major << "." << c.record.minor << " product "
                                         << int(c.record.productType);
        EXPECT_EQ(v.GetServicePack(), "Service Pack 2");
    }
}

TEST(OsVersion, ThePluginEditionSeesSixtyFourBitEditionsAsTheir32BitCounterparts)
{
    COsVersion v(Record(2, 5, 2, 1, true), COsVersion::Edition::Plugin);
    EXPECT_TRUE(v.IsWin2003());
    EXPECT_FALSE(v.IsWinXP64());
    EXPECT_FALSE(COsVersion(Record(2, 5, 2, 3, true), COsVersion::Edition::Plugin).IsWin2003_64());
}

TEST(OsVersion, ThisSystemIsALaterNtVersionWithoutOldSystemFlags)
{
    COsVersion v;
    EXPECT_TRUE(v.IsNTFamily());
    EXPECT_TRUE(v.IsNTOther());
    EXPECT_FALSE(v.Is9xFamily() || v.IsWin2000() || v.IsWinXP() || v.IsWin2003() || v.IsWinXP64() ||
                 v.IsWin2003_64() || v.IsUnknownPlatform());
    EXPECT_EQ(v.GetServicePack(), "");
}

TEST(OsLanguage, TheTableHasThirtyDistinctRowsInItsFixedOrder)
{
    std::set<std::uint16_t> ids;
    for (const LanguageRow& row : kLanguageTable) {
        ids.insert(row.id);
        EXPECT_EQ(std::string(row.code).size(), 3u);
    }
    EXPECT_EQ(ids.size(), 30u);
    EXPECT_EQ(kLanguageTable.front().code, std::string("BAQ"));
    EXPECT_EQ(kLanguageTable.back().code, std::string("TUR"));
    EXPECT_EQ(LanguageCodeForId(0x0C0C), "FRC");
    EXPECT_EQ(LanguageCodeForId(0x080A), "ESM");
    EXPECT_EQ(LanguageCodeForId(0x0809), "");
    EXPECT_EQ(LanguageCodeForId(0), "");
}

TEST(OsLanguage, LocalesMapToTheirLanguageCode)
{
    struct Case {
        const char* locale;
        const char* code;
    } cases[] = {
        {"de_DE.UTF-8", "DEU"}, {"en_US.UTF-8", "ENU"}, {"zh_TW.UTF-8", "CHT"}, {"zh_CN.GB18030", "CHS"},
        {"fr_CA", "FRC"},       {"fr_FR@euro", "FRA"},  {"pt_BR.UTF-8", "PTB"}, {"pt_PT", "PTG"},
        {"es_MX.UTF-8", "ESM"}, {"es_ES", "ESP"},       {"nb_NO.UTF-8", "NOR"}, {"ko_KR.EUC-KR", "KRN"},
        {"eu_ES.UTF-8", "BAQ"}, {"sv", "SVE"},          {"C", "ENU"},           {"POSIX", "ENU"},
        {"C.UTF-8", "ENU"},     {"", "ENU"},            {"en_GB.UTF-8", ""},    {"de_AT.UTF-8", ""},
        {"nn_NO", ""},          {"xx_YY", ""},          {"de_XX", ""},          {"DE_de", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LanguageCodeForId(LanguageIdForLocale(c.locale)), c.code) << c.locale;
}

TEST(OsLanguage, TheUserLocaleFollowsTheCLibraryPrecedence)
{
    auto set = [](const char* name, const char* value) {
        if (value) setenv(name, value, 1); else unsetenv(name);
    };
    std::string saved[3];
    const char* vars[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    bool had[3];
    for (int i = 0; i < 3; ++i) {
        const char* v = getenv(vars[i]);
        had[i] = v != nullptr;
        saved[i] = v ? v : "";
    }
    set("LC_ALL", nullptr);
    set("LC_MESSAGES", "");
    set("LANG", "ja_JP.UTF-8");
    EXPECT_EQ(COsVersion().GetLanguageCode(), "JPN");
    set("LC_MESSAGES", "it_IT.UTF-8");
    EXPECT_EQ(COsVersion().GetLanguageCode(), "ITA");
    set("LC_ALL", "ru_RU.UTF-8");
    EXPECT_EQ(COsVersion().GetLanguageCode(), "RUS");
    for (int i = 0; i < 3; ++i)
        set(vars[i], had[i] ? saved[i].c_str() : nullptr);
}

}  // namespace
