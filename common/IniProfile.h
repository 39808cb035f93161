// Private profile (INI) files with the platform's reading rules: the skin's
// plug-in view file and the board-model files were written for them.
//
//   - section and key names compare case-insensitively (ASCII), blanks
//     around names and values are trimmed;
//   - a line whose first non-blank character is ';' is a comment; there are
//     no comments at the end of a line ("a=b ; c" reads "b ; c");
//   - a value enclosed in a matching pair of ' or " loses that pair;
//   - LF, CRLF and CR line ends; a final line without a line end counts;
//   - lines before the first section and lines without '=' are not keys;
//   - the first section of a name is that section: later sections of the
//     same name are ignored as a whole, as the platform's reader ignores
//     them; inside a section the first of duplicate keys wins;
//   - a file that does not exist, cannot be read or is larger than
//     kMaxIniFileBytes reads as all defaults (no profile of the suite comes
//     near it, and the host reads a skin's file on every tick);
//   - values are returned as written, backslashes included: callers that
//     treat a value as a path convert its separators themselves.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

inline constexpr std::size_t kMaxIniFileBytes = 16u << 20;

class CIniProfile {
public:
    CIniProfile() = default;

    // A file that does not exist, is not a regular file or cannot be read
    // gives an empty profile.
    static CIniProfile Load(const std::string& path);
    static CIniProfile Parse(std::string_view text);

    // The value as written (trimmed, quotes kept); false when the section or
    // key is missing.
    bool Find(std::string_view section, std::string_view key, std::string& value) const;

    // At most bufferChars - 1 characters, as through a buffer of bufferChars
    // characters with its NUL: the value with its quote pair stripped, or,
    // when the key is missing, the default with trailing blanks removed.
    // A present key with an empty value gives "" and not the default.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t bufferChars) const;

    // An optional sign and the leading decimal digits ("12px" gives 12,
    // "abc" gives 0, "-7" gives -7); a missing key or an empty value gives
    // the default. Values past the int range saturate.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;

    // Section names in file order, each once (the first spelling).
    std::vector<std::string> SectionNames() const;
    // The keys of a section in file order, each once; empty when missing.
    std::vector<std::string> KeyNames(std::string_view section) const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        // Folded key -> entry: a file with very many keys reads in linear time.
        std::unordered_map<std::string, std::size_t> index;
    };

    const Section* FindSection(std::string_view name) const;

    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded name -> section
};

// One-call forms that read the file each time, like the platform's calls.
std::string GetProfileString(const std::string& file, std::string_view section, std::string_view key,
                             std::string_view defaultValue, std::size_t bufferChars);
int GetProfileInt(const std::string& file, std::string_view section, std::string_view key,
                  int defaultValue);
std::vector<std::string> GetProfileSectionNames(const std::string& file);
std::vector<std::string> GetProfileKeyNames(const std::string& file, std::string_view section);

// The integer rule of GetInt over one text (already trimmed).
int ParseProfileInt(std::string_view text);
