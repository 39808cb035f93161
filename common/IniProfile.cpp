#include "IniProfile.h"

#include "TextLimit.h"

#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimView(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Folded(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded) c = LowerAscii(c);
    return folded;
}

// The next line of text from pos on (LF, CRLF or CR ends it; the last line
// needs no line end); false when none is left.
bool NextLine(std::string_view text, std::size_t& pos, std::string_view& line)
{
    if (pos >= text.size()) return false;
    const std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
        line = text.substr(pos);
        pos = text.size();
        return true;
    }
    line = text.substr(pos, end - pos);
    pos = end + 1;
    if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    return true;
}

std::string StripQuotePair(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// A buffer of n characters holds n - 1 and the NUL; none at all for n = 0.
std::string ThroughBuffer(std::string_view text, std::size_t bufferChars)
{
    if (bufferChars == 0) return {};
    return CutToByteLimit(text, bufferChars - 1);
}

}  // namespace

CIniProfile CIniProfile::Load(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return {};
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > kMaxIniFileBytes) return {};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return {};
    return Parse(text);
}

CIniProfile CIniProfile::Parse(std::string_view text)
{
    static constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());

    CIniProfile profile;
    // Where the lines being read go: none before the first section and
    // inside a repeated section, whose lines the reader never sees.
    Section* current = nullptr;
    std::string_view line;
    for (std::size_t pos = 0; NextLine(text, pos, line);) {
        line = TrimView(line);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            std::size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                std::string_view name = TrimView(line.substr(1, close - 1));
                current = nullptr;
                if (profile.sectionIndex_.emplace(Folded(name), profile.sections_.size()).second) {
                    profile.sections_.push_back(Section{std::string(name), {}, {}});
                    current = &profile.sections_.back();
                }
                continue;
            }
        }
        std::size_t equals = line.find('=');
        if (!current || equals == std::string_view::npos) continue;
        std::string_view key = TrimView(line.substr(0, equals));
        std::string_view value = TrimView(line.substr(equals + 1));
        if (current->index.emplace(Folded(key), current->entries.size()).second)
            current->entries.push_back(Entry{std::string(key), std::string(value)});
    }
    return profile;
}

const CIniProfile::Section* CIniProfile::FindSection(std::string_view name) const
{
    const auto found = sectionIndex_.find(Folded(name));
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

bool CIniProfile::Find(std::string_view section, std::string_view key, std::string& value) const
{
    const Section* found = FindSection(TrimView(section));
    if (!found) return false;
    const auto entry = found->index.find(Folded(TrimView(key)));
    if (entry == found->index.end()) return false;
    value = found->entries[entry->second].value;
    return true;
}

std::string CIniProfile::GetString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue, std::size_t bufferChars) const
{
    std::string value;
    if (Find(section, key, value)) return ThroughBuffer(StripQuotePair(value), bufferChars);
    while (!defaultValue.empty() && IsBlank(defaultValue.back())) defaultValue.remove_suffix(1);
    return ThroughBuffer(defaultValue, bufferChars);
}

int CIniProfile::GetInt(std::string_view section, std::string_view key, int defaultValue) const
{
    std::string value;
    if (!Find(section, key, value)) return defaultValue;
    std::string text = StripQuotePair(value);
    if (text.empty()) return defaultValue;
    return ParseProfileInt(text);
}

int ParseProfileInt(std::string_view text)
{
    text = TrimView(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Accumulated as a magnitude that stops growing past the range, so a long
    // run of digits saturates instead of wrapping into a different number.
    constexpr std::int64_t kLimit = static_cast<std::int64_t>(INT_MAX) + 1;
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLimit) magnitude = kLimit;
    }
    if (negative) return static_cast<int>(-magnitude);
    return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

std::vector<std::string> CIniProfile::SectionNames() const
{
    std::vector<std::string> names;
    for (const Section& section : sections_) names.push_back(section.name);
    return names;
}

std::vector<std::string> CIniProfile::KeyNames(std::string_view section) const
{
    std::vector<std::string> names;
    if (const Section* found = FindSection(TrimView(section)))
        for (const Entry& entry : found->entries) names.push_back(entry.key);
    return names;
}

std::string GetProfileString(const std::string& file, std::string_view section, std::string_view key,
                             std::string_view defaultValue, std::size_t bufferChars)
{
    return CIniProfile::Load(file).GetString(section, key, defaultValue, bufferChars);
}

int GetProfileInt(const std::string& file, std::string_view section, std::string_view key, int defaultValue)
{
    return CIniProfile::Load(file).GetInt(section, key, defaultValue);
}

std::vector<std::string> GetProfileSectionNames(const std::string& file)
{
    return CIniProfile::Load(file).SectionNames();
}

std::vector<std::string> GetProfileKeyNames(const std::string& file, std::string_view section)
{
    return CIniProfile::Load(file).KeyNames(section);
}
