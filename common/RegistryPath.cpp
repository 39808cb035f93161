#include "RegistryPath.h"

namespace {

char FoldChar(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsValidKeyName(std::string_view name)
{
    if (name.empty() || name.size() > kMaxKeyNameLength)
        return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
    return true;
}

}  // namespace

bool ParseKeyPath(std::string_view text, RegistryKeyPath& out)
{
    out.clear();
    if (!text.empty() && text.back() == '\\')
        text.remove_suffix(1);
    if (text.empty())
        return true;
    std::size_t start = 0;
    while (true) {
        std::size_t end = text.find('\\', start);
        std::string_view part = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!IsValidKeyName(part)) {
            out.clear();
            return false;
        }
        if (out.size() == kMaxKeyDepth) {
            out.clear();
            return false;
        }
        out.emplace_back(part);
        if (end == std::string_view::npos)
            return true;
        start = end + 1;
    }
}

std::string JoinKeyPath(const RegistryKeyPath& path)
{
    std::string joined;
    for (const std::string& part : path) {
        if (!joined.empty())
            joined += '\\';
        joined += part;
    }
    return joined;
}

bool IsValidValueName(std::string_view name)
{
    if (name.size() > kMaxValueNameLength)
        return false;
    for (char c : name)
        if (c == '\n' || c == '\r' || c == '\0')
            return false;
    return true;
}

std::string FoldRegistryName(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded)
        c = FoldChar(c);
    return folded;
}

bool RegistryNamesEqual(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldChar(a[i]) != FoldChar(b[i]))
            return false;
    return true;
}
