#include "JsQuote.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

namespace {

// Length of the valid UTF-8 sequence at text[at], 0 when invalid.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    std::uint32_t min = 0;
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) { length = 2; min = 0x80; }
    else if ((lead & 0xF0) == 0xE0) { length = 3; min = 0x800; }
    else if ((lead & 0xF8) == 0xF0) { length = 4; min = 0x10000; }
    else return 0;
    if (at + length > text.size()) return 0;
    std::uint32_t code = lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[at + i]);
        if ((c & 0xC0) != 0x80) return 0;
        code = (code << 6) | (c & 0x3Fu);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

constexpr std::array<std::string_view, 48> kReservedWords{
    "arguments", "await",    "break",     "case",       "catch",   "class",     "const",  "continue",  "debugger",
    "default",   "delete",   "do",        "else",       "enum",    "eval",      "export", "extends",   "false",
    "finally",   "for",      "function",  "if",         "implements", "import", "in",     "instanceof", "interface",
    "let",       "new",      "null",      "package",    "private", "protected", "public", "return",    "static",
    "super",     "switch",   "this",      "throw",      "true",    "try",       "typeof", "var",       "void",
    "while",     "with",     "yield"};

bool IdentifierStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$';
}

}  // namespace

bool IsPlainScriptIdentifier(std::string_view name) {
    if (name.empty() || name.size() > 255 || !IdentifierStart(name[0])) return false;
    for (char c : name)
        if (!IdentifierStart(c) && !(c >= '0' && c <= '9')) return false;
    return std::find(kReservedWords.begin(), kReservedWords.end(), name) == kReservedWords.end();
}

std::string JsQuote(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80) {
            const std::size_t length = Utf8Length(text, i);
            if (length == 0) {
                out += "\\ufffd";
                ++i;
                continue;
            }
            const std::string_view seq = text.substr(i, length);
            if (seq == "\xE2\x80\xA8") out += "\\u2028";
            else if (seq == "\xE2\x80\xA9") out += "\\u2029";
            else out += seq;
            i += length;
            continue;
        }
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            case '<': out += "\\u003c"; break;
            default:
                if (u < 0x20 || u == 0x7F) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
                    out += buffer;
                } else {
                    out += c;
                }
        }
        ++i;
    }
    out += '"';
    return out;
}
