#include "OsLanguage.h"

#include <cstdlib>

const std::array<LanguageRow, 30> kLanguageTable = {{
    {0x042D, "BAQ"}, {0x0403, "CAT"}, {0x0804, "CHS"}, {0x0404, "CHT"}, {0x0405, "CSY"},
    {0x0406, "DAN"}, {0x0413, "NLD"}, {0x0409, "ENU"}, {0x040B, "FIN"}, {0x0C0C, "FRC"},
    {0x040C, "FRA"}, {0x0407, "DEU"}, {0x0408, "ELL"}, {0x040E, "HUN"}, {0x0421, "IND"},
    {0x0410, "ITA"}, {0x0411, "JPN"}, {0x0412, "KRN"}, {0x0414, "NOR"}, {0x0415, "PLK"},
    {0x0416, "PTB"}, {0x0816, "PTG"}, {0x0419, "RUS"}, {0x041B, "SKY"}, {0x0424, "SLV"},
    {0x080A, "ESM"}, {0x040A, "ESP"}, {0x041D, "SVE"}, {0x041E, "THA"}, {0x041F, "TUR"},
}};

namespace {

// Locale to language identifier. A row with an empty territory is the
// language's primary form, used when the locale names no territory. Regional
// forms that have identifiers of their own are listed too, so that (say)
// en_GB is not mistaken for US English; a territory not listed here has no
// identifier.
struct LocaleRow {
    const char* language;
    const char* territory;
    std::uint16_t id;
};

constexpr LocaleRow kLocales[] = {
    {"eu", "", 0x042D}, {"eu", "ES", 0x042D},
    {"ca", "", 0x0403}, {"ca", "ES", 0x0403}, {"ca", "AD", 0x0403},
    {"zh", "", 0x0804}, {"zh", "CN", 0x0804}, {"zh", "SG", 0x1004},
    {"zh", "TW", 0x0404}, {"zh", "HK", 0x0C04}, {"zh", "MO", 0x1404},
    {"cs", "", 0x0405}, {"cs", "CZ", 0x0405},
    {"da", "", 0x0406}, {"da", "DK", 0x0406},
    {"nl", "", 0x0413}, {"nl", "NL", 0x0413}, {"nl", "BE", 0x0813},
    {"en", "", 0x0409}, {"en", "US", 0x0409}, {"en", "GB", 0x0809}, {"en", "AU", 0x0C09},
    {"en", "CA", 0x1009}, {"en", "NZ", 0x1409}, {"en", "IE", 0x1809}, {"en", "ZA", 0x1C09},
    {"en", "IN", 0x4009},
    {"fi", "", 0x040B}, {"fi", "FI", 0x040B},
    {"fr", "", 0x040C}, {"fr", "FR", 0x040C}, {"fr", "CA", 0x0C0C}, {"fr", "BE", 0x080C},
    {"fr", "CH", 0x100C}, {"fr", "LU", 0x140C},
    {"de", "", 0x0407}, {"de", "DE", 0x0407}, {"de", "CH", 0x0807}, {"de", "AT", 0x0C07},
    {"de", "LU", 0x1007},
    {"el", "", 0x0408}, {"el", "GR", 0x0408},
    {"hu", "", 0x040E}, {"hu", "HU", 0x040E},
    {"id", "", 0x0421}, {"id", "ID", 0x0421},
    {"it", "", 0x0410}, {"it", "IT", 0x0410}, {"it", "CH", 0x0810},
    {"ja", "", 0x0411}, {"ja", "JP", 0x0411},
    {"ko", "", 0x0412}, {"ko", "KR", 0x0412},
    {"nb", "", 0x0414}, {"nb", "NO", 0x0414}, {"no", "", 0x0414}, {"no", "NO", 0x0414},
    {"nn", "", 0x0814}, {"nn", "NO", 0x0814},
    {"pl", "", 0x0415}, {"pl", "PL", 0x0415},
    {"pt", "", 0x0816}, {"pt", "PT", 0x0816}, {"pt", "BR", 0x0416},
    {"ru", "", 0x0419}, {"ru", "RU", 0x0419},
    {"sk", "", 0x041B}, {"sk", "SK", 0x041B},
    {"sl", "", 0x0424}, {"sl", "SI", 0x0424},
    {"es", "", 0x040A}, {"es", "ES", 0x040A}, {"es", "MX", 0x080A},
    {"sv", "", 0x041D}, {"sv", "SE", 0x041D}, {"sv", "FI", 0x081D},
    {"th", "", 0x041E}, {"th", "TH", 0x041E},
    {"tr", "", 0x041F}, {"tr", "TR", 0x041F},
};

}  // namespace

std::string LanguageCodeForId(std::uint16_t id)
{
    for (const LanguageRow& row : kLanguageTable)
        if (row.id == id)
            return row.code;
    return "";
}

std::uint16_t LanguageIdForLocale(std::string_view locale)
{
    // language[_territory][.codeset][@modifier]
    std::string_view name = locale.substr(0, locale.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX")
        return 0x0409;
    std::size_t sep = name.find('_');
    std::string_view language = name.substr(0, sep);
    std::string_view territory = sep == std::string_view::npos ? std::string_view() : name.substr(sep + 1);
    for (const LocaleRow& row : kLocales)
        if (language == row.language && territory == row.territory)
            return row.id;
    return 0;
}

std::string UserMessagesLocale()
{
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(var);
        if (value && *value)
            return value;
    }
    return "";
}
