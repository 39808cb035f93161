#include "SkinValues.h"

#include <climits>

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

std::string SkinFolderWithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() == '\\') folder.back() = '/';
    if (folder.empty() || !IsSeparator(folder.back())) folder += '/';
    return folder;
}

std::string JoinSkinFile(const std::string& folder, std::string_view value) {
    std::string path;
    path.reserve(folder.size() + value.size());
    path = folder;
    for (char c : value) path += c == '\\' ? '/' : c;
    return path;
}

int ParseSkinNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;  // clamped below
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

bool ParseSkinFlag(std::string_view text) { return text == "TRUE"; }
