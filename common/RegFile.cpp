#include "RegFile.h"

#include <cstdio>

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::size_t kWrapColumn = 76;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s)
{
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && RegistryNamesEqual(s.substr(0, prefix.size()), prefix);
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

class Parser {
public:
    // skipped == nullptr: strict, the first bad line fails the whole text.
    Parser(std::string_view text, std::vector<RegFileEntry>& entries, RegFileError& error,
           std::vector<RegFileError>* skipped)
        : lines_(SplitLines(text)), entries_(entries), error_(error), skipped_(skipped) {}

    bool Run()
    {
        std::size_t i = 0;
        while (i < lines_.size() && Trim(lines_[i]).empty())
            ++i;
        if (i == lines_.size() || Trim(lines_[i]) != kHeader)
            return Fail(i < lines_.size() ? static_cast<int>(i) + 1 : 0,
                        "not a REGEDIT4 file: the first line must be REGEDIT4");
        for (++i; i < lines_.size(); ++i) {
            lineNo_ = static_cast<int>(i) + 1;
            std::string_view line = TrimLeft(lines_[i]);
            if (line.empty() || line.front() == ';')
                continue;
            const std::size_t first = i;
            bool ok = false;
            bool section = false;
            if (line.find('\0') != std::string_view::npos) {
                ok = Fail(lineNo_, "the line holds a NUL byte");
            } else if (line.front() == '[') {
                section = true;
                ok = Section(line);
            } else if (line.front() == '"' || line.front() == '@') {
                ok = ValueLine(line, i);
            } else {
                ok = Fail(lineNo_, "expected a [key] line or a \"name\"=value line");
            }
            if (ok)
                continue;
            if (!skipped_)
                return false;
            Skip(first, i, section);
        }
        return true;
    }

private:
    bool Fail(int line, std::string message)
    {
        error_.line = line;
        error_.message = std::move(message);
        return false;
    }

    // Tolerant reading: the bad line, or the lines first..i of a hex value
    // read as a whole, go to the skipped list; the values under a bad key
    // line are refused until the next good one.
    void Skip(std::size_t first, std::size_t i, bool section)
    {
        RegFileError skip{static_cast<int>(first) + 1, error_.message};
        if (i > first)
            skip.message += " (the value goes on to line " + std::to_string(i + 1) + ")";
        skipped_->push_back(std::move(skip));
        error_ = {};
        if (section) {
            haveSection_ = false;
            brokenSectionLine_ = static_cast<int>(first) + 1;
        }
    }

    bool Section(std::string_view line)
    {
        std::size_t close = line.rfind(']');
        if (close == std::string_view::npos)
            return Fail(lineNo_, "key line without a closing ]");
        if (!Trim(line.substr(close + 1)).empty())
            return Fail(lineNo_, "text after the closing ] of a key line");
        std::string_view inner = line.substr(1, close - 1);
        bool deleting = !inner.empty() && inner.front() == '-';
        if (deleting)
            inner.remove_prefix(1);
        std::size_t slash = inner.find('\\');
        std::string_view rootName = inner.substr(0, slash);
        HKEY root = HKEY_NONE;
        if (!ParseRegistryRootName(rootName, root, false))
            return Fail(lineNo_, "unknown root \"" + std::string(rootName) +
                                     "\" (HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE)");
        RegistryKeyPath path;
        std::string_view rest = slash == std::string_view::npos ? std::string_view() : inner.substr(slash + 1);
        if ((slash != std::string_view::npos && rest.empty()) || !ParseKeyPath(rest, path))
            return Fail(lineNo_, "bad key name (an empty or overlong part, a control character, or more than " +
                                     std::to_string(kMaxKeyDepth) + " levels)");
        if (deleting && path.empty())
            return Fail(lineNo_, "a root cannot be deleted");
        haveSection_ = true;
        brokenSectionLine_ = 0;
        sectionDeleted_ = deleting;
        root_ = root;
        path_ = path;
        RegFileEntry entry;
        entry.kind = deleting ? RegFileEntry::Kind::DeleteKey : RegFileEntry::Kind::Key;
        entry.line = lineNo_;
        entry.root = root;
        entry.path = std::move(path);
        entries_.push_back(std::move(entry));
        return true;
    }

    // Reads a quoted string starting at s[0] == '"'; leaves s after the closing quote.
    bool QuotedString(std::string_view& s, std::string& out)
    {
        out.clear();
        for (std::size_t i = 1; i < s.size(); ++i) {
            char c = s[i];
            if (c == '"') {
                s.remove_prefix(i + 1);
                return true;
            }
            if (c == '\\') {
                if (i + 1 >= s.size() || (s[i + 1] != '\\' && s[i + 1] != '"'))
                    return Fail(lineNo_, "unknown escape in a string (only \\\\ and \\\" are allowed)");
                out += s[++i];
                continue;
            }
            out += c;
        }
        return Fail(lineNo_, "string not closed on its line");
    }

    // Reads every continuation line first, so a value that fails is skipped
    // as a whole and its later lines are not mistaken for lines of their own.
    bool HexList(std::string_view first, std::size_t& lineIndex, std::vector<std::uint8_t>& bytes)
    {
        std::string joined;
        std::string_view part = TrimRight(first);
        while (!part.empty() && part.back() == '\\') {
            part.remove_suffix(1);
            joined += part;
            if (lineIndex + 1 >= lines_.size())
                return Fail(lineNo_, "hex data continues past the end of the file");
            part = TrimRight(TrimLeft(lines_[++lineIndex]));
            if (part.find('\0') != std::string_view::npos)
                return Fail(lineNo_, "the hex data holds a NUL byte");
        }
        joined += part;
        std::string_view list = Trim(joined);
        bytes.clear();
        if (list.empty())
            return true;
        while (true) {
            std::size_t comma = list.find(',');
            std::string_view tok = Trim(list.substr(0, comma));
            if (tok.size() != 2 || HexDigit(tok[0]) < 0 || HexDigit(tok[1]) < 0)
                return Fail(lineNo_, "bad hex byte \"" + std::string(tok) + "\" (two hex digits each, comma-separated)");
            bytes.push_back(static_cast<std::uint8_t>(HexDigit(tok[0]) * 16 + HexDigit(tok[1])));
            if (comma == std::string_view::npos)
                return true;
            list.remove_prefix(comma + 1);
        }
    }

    bool ValueLine(std::string_view line, std::size_t& lineIndex)
    {
        if (brokenSectionLine_ > 0)
            return Fail(lineNo_, "value under the key line " + std::to_string(brokenSectionLine_) +
                                     ", which could not be read");
        if (!haveSection_)
            return Fail(lineNo_, "value before the first [key] line");
        if (sectionDeleted_)
            return Fail(lineNo_, "value under a key that is being deleted");
        RegFileEntry entry;
        entry.line = lineNo_;
        entry.root = root_;
        entry.path = path_;
        std::string_view s = line;
        if (s.front() == '@') {
            s.remove_prefix(1);
        } else if (!QuotedString(s, entry.name)) {
            return false;
        }
        if (!IsValidValueName(entry.name))
            return Fail(lineNo_, "bad value name");
        s = TrimLeft(s);
        if (s.empty() || s.front() != '=')
            return Fail(lineNo_, "expected = after the value name");
        s = TrimLeft(s.substr(1));

        if (!s.empty() && s.front() == '"') {
            std::string text;
            if (!QuotedString(s, text))
                return false;
            if (!Trim(s).empty())
                return Fail(lineNo_, "text after the closing quote");
            entry.kind = RegFileEntry::Kind::Value;
            entry.value = RegistryValue::String(text);
        } else if (!s.empty() && s.front() == '-') {
            if (!Trim(s.substr(1)).empty())
                return Fail(lineNo_, "text after =-");
            entry.kind = RegFileEntry::Kind::DeleteValue;
        } else if (StartsWithNoCase(s, "dword:")) {
            std::string_view digits = Trim(s.substr(6));
            if (digits.size() != 8)
                return Fail(lineNo_, "dword needs exactly 8 hex digits");
            std::uint32_t v = 0;
            for (char c : digits) {
                if (HexDigit(c) < 0)
                    return Fail(lineNo_, "dword needs exactly 8 hex digits");
                v = v * 16 + static_cast<std::uint32_t>(HexDigit(c));
            }
            entry.kind = RegFileEntry::Kind::Value;
            entry.value = RegistryValue::Dword(v);
        } else if (StartsWithNoCase(s, "hex")) {
            s.remove_prefix(3);
            std::uint32_t type = REG_BINARY;
            if (!s.empty() && s.front() == '(') {
                std::size_t close = s.find(')');
                std::string_view digits = close == std::string_view::npos ? std::string_view() : s.substr(1, close - 1);
                if (digits.empty() || digits.size() > 8)
                    return Fail(lineNo_, "bad hex(type): the type is 1 to 8 hex digits");
                type = 0;
                for (char c : digits) {
                    if (HexDigit(c) < 0)
                        return Fail(lineNo_, "bad hex(type): the type is 1 to 8 hex digits");
                    type = type * 16 + static_cast<std::uint32_t>(HexDigit(c));
                }
                s.remove_prefix(close + 1);
            }
            if (s.empty() || s.front() != ':')
                return Fail(lineNo_, "expected : after hex");
            entry.kind = RegFileEntry::Kind::Value;
            entry.value.type = type;
            if (!HexList(s.substr(1), lineIndex, entry.value.data))
                return false;
        } else {
            return Fail(lineNo_, "unknown value: expected \"text\", dword:, hex:, hex(N): or -");
        }
        entries_.push_back(std::move(entry));
        return true;
    }

    std::vector<std::string_view> lines_;
    std::vector<RegFileEntry>& entries_;
    RegFileError& error_;
    std::vector<RegFileError>* skipped_;
    int lineNo_ = 0;
    int brokenSectionLine_ = 0;  // the bad key line the values below belong to
    bool haveSection_ = false;
    bool sectionDeleted_ = false;
    HKEY root_ = HKEY_NONE;
    RegistryKeyPath path_;
};

std::string Quote(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

// True when a quoted string reproduces the data exactly.
bool FitsQuotedString(const RegistryValue& value)
{
    const auto& d = value.data;
    if (value.type != REG_SZ || d.empty() || d.back() != 0)
        return false;
    for (std::size_t i = 0; i + 1 < d.size(); ++i)
        if (d[i] == 0 || d[i] == '\n' || d[i] == '\r')
            return false;
    return true;
}

std::string HexPrefix(std::uint32_t type)
{
    if (type == REG_BINARY)
        return "hex:";
    char buf[24];
    std::snprintf(buf, sizeof buf, "hex(%x):", type);
    return buf;
}

void AppendHexList(const std::string& line, const std::vector<std::uint8_t>& bytes, std::string& out)
{
    static const char kDigits[] = "0123456789abcdef";
    std::size_t column = line.size();
    out += line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 15];
        column += 2;
        if (i + 1 < bytes.size()) {
            out += ',';
            ++column;
            if (column >= kWrapColumn) {
                out += "\\\n  ";
                column = 2;
            }
        }
    }
}

std::string KeyHeader(HKEY root, const RegistryKeyPath& path)
{
    std::string header = "[";
    header += RegistryRootName(root);
    if (!path.empty()) {
        header += '\\';
        header += JoinKeyPath(path);
    }
    header += "]\n";
    return header;
}

bool IsWithin(const RegistryKeyPath& path, const RegistryKeyPath& from)
{
    if (path.size() < from.size())
        return false;
    for (std::size_t i = 0; i < from.size(); ++i)
        if (!RegistryNamesEqual(path[i], from[i]))
            return false;
    return true;
}

}  // namespace

bool ParseRegFile(std::string_view text, std::vector<RegFileEntry>& entries, RegFileError& error)
{
    entries.clear();
    error = {};
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    if (text.find('\0') != std::string_view::npos) {
        error.message = "the file holds NUL bytes: not a REGEDIT4 text file";
        return false;
    }
    Parser parser(text, entries, error, nullptr);
    if (!parser.Run()) {
        entries.clear();
        return false;
    }
    return true;
}

bool ParseRegFileTolerant(std::string_view text, std::vector<RegFileEntry>& entries,
                          std::vector<RegFileError>& skipped, RegFileError& error)
{
    entries.clear();
    skipped.clear();
    error = {};
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    Parser parser(text, entries, error, &skipped);
    if (!parser.Run()) {
        entries.clear();
        skipped.clear();
        return false;
    }
    return true;
}

void ApplyRegFileEntries(const std::vector<RegFileEntry>& entries, HKEY root, CRegistryHive& hive)
{
    for (const RegFileEntry& e : entries) {
        if (e.root != root)
            continue;
        switch (e.kind) {
        case RegFileEntry::Kind::Key: hive.CreateKey(e.path); break;
        case RegFileEntry::Kind::DeleteKey: hive.DeleteKey(e.path); break;
        case RegFileEntry::Kind::Value: hive.SetValue(e.path, e.name, e.value); break;
        case RegFileEntry::Kind::DeleteValue: hive.DeleteValue(e.path, e.name); break;
        }
    }
}

std::string FormatRegData(const RegistryValue& value)
{
    if (FitsQuotedString(value))
        return Quote(std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1));
    if (value.type == REG_DWORD && value.data.size() == 4) {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | value.data[static_cast<std::size_t>(i)];
        char buf[16];
        std::snprintf(buf, sizeof buf, "dword:%08x", v);
        return buf;
    }
    std::string out;
    AppendHexList(HexPrefix(value.type), value.data, out);
    return out;
}

std::string FormatRegValueLine(const RegistryNamedValue& value)
{
    std::string line = value.name.empty() ? std::string("@") : Quote(value.name);
    line += '=';
    if (FitsQuotedString(value.value) || (value.value.type == REG_DWORD && value.value.data.size() == 4))
        return line + FormatRegData(value.value);
    // Hex lists wrap relative to the start of the line, as regedit does.
    std::string out;
    AppendHexList(line + HexPrefix(value.value.type), value.value.data, out);
    return out;
}

std::string FormatRegFile(HKEY root, const CRegistryHive& hive, const RegistryKeyPath& from)
{
    std::string out(kHeader);
    out += "\n\n";
    for (const CRegistryHive::Key& key : hive.Keys()) {
        if (!IsWithin(key.path, from))
            continue;
        // The root key always exists, so its section only matters with values.
        if (key.path.empty() && key.values.empty())
            continue;
        out += KeyHeader(root, key.path);
        for (const RegistryNamedValue& v : key.values) {
            out += FormatRegValueLine(v);
            out += '\n';
        }
        out += '\n';
    }
    return out;
}
