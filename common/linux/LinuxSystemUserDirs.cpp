#include "LinuxSystemUserDirs.h"

#include "TextLimit.h"

namespace {

// The quoted value with its backslash escapes resolved; false when it is
// not one quoted string.
bool Unquote(std::string_view raw, std::string& value)
{
    if (raw.size() < 2 || raw.front() != '"' || raw.back() != '"') return false;
    raw = raw.substr(1, raw.size() - 2);
    value.clear();
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size()) ++i;
        value += raw[i];
    }
    return true;
}

std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

std::map<std::string, std::string> ParseUserDirs(std::string_view text, const std::string& home)
{
    std::map<std::string, std::string> folders;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string line = TrimBlanks(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == '#') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string name = TrimBlanks(std::string_view(line).substr(0, equals));
        std::string value;
        if (!Unquote(TrimBlanks(std::string_view(line).substr(equals + 1)), value)) continue;
        std::string folder;
        if (value == "$HOME" || value.rfind("$HOME/", 0) == 0)
            folder = home + value.substr(5);
        else if (!value.empty() && value.front() == '/')
            folder = value;
        else
            continue;
        folder = WithoutTrailingSlash(folder);
        if (folder == WithoutTrailingSlash(home)) continue;
        folders[name] = folder;
    }
    return folders;
}

std::string UserDirsFile(const char* xdgConfigHome, const std::string& home)
{
    if (xdgConfigHome && xdgConfigHome[0] == '/') return std::string(xdgConfigHome) + "/user-dirs.dirs";
    if (home.empty()) return {};
    return home + "/.config/user-dirs.dirs";
}
