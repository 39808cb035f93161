// The user's language as a three-letter code from a fixed 30-row table of
// language identifiers. Skins and plug-ins pick their texts by this code, so
// the table and its order are fixed; a language outside it has no code.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct LanguageRow {
    std::uint16_t id;
    const char* code;
};

extern const std::array<LanguageRow, 30> kLanguageTable;

// "" when the identifier is not in the table (first match wins).
std::string LanguageCodeForId(std::uint16_t id);

// The language identifier of a POSIX locale name such as "de_DE.UTF-8" or
// "pt_BR@euro". The C and POSIX locales (and an empty name) speak US English.
// 0 for a language or a language-territory pair this system does not know.
std::uint16_t LanguageIdForLocale(std::string_view locale);

// The locale the user's messages are in: the first non-empty of LC_ALL,
// LC_MESSAGES and LANG, as the C library chooses it.
std::string UserMessagesLocale();
