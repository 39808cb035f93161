#include "PageConfinement.h"

#include <climits>
#include <cstdlib>

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decodes %XX escapes; nothing when an escape is cut short or yields a NUL.
std::optional<std::string> PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%') {
            if (i + 2 >= text.size()) return std::nullopt;
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high < 0 || low < 0) return std::nullopt;
            c = static_cast<char>(high * 16 + low);
            i += 2;
        }
        if (c == '\0') return std::nullopt;
        out += c;
    }
    return out;
}

bool IsSchemeChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '-' || c == '.';
}

bool IsInside(const std::string& path, const std::string& root) {
    if (root.empty() || root.front() != '/') return false;
    // "/" as a root would allow every file.
    if (root == "/") return false;
    return path.size() > root.size() + 1 && path.compare(0, root.size(), root) == 0 && path[root.size()] == '/';
}

// The local path of a file: address, or nothing when it names another host
// or does not decode.
std::optional<std::string> FilePath(std::string_view rest) {
    // rest follows "file:"; the query and fragment are not part of the file.
    rest = rest.substr(0, rest.find_first_of("?#"));
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        const std::string_view host = rest.substr(0, slash);
        if (!host.empty() && !EqualNoCase(host, "localhost")) return std::nullopt;
        if (slash == std::string_view::npos) return std::nullopt;
        rest.remove_prefix(slash);
    }
    if (rest.empty() || rest.front() != '/') return std::nullopt;
    return PercentDecode(rest);
}

}  // namespace

std::optional<std::string> ResolveRealPath(const std::string& path) {
    char resolved[PATH_MAX];
    if (path.empty() || realpath(path.c_str(), resolved) == nullptr) return std::nullopt;
    return std::string(resolved);
}

bool IsPageRequestAllowed(std::string_view url, const std::vector<std::string>& roots,
                          const RealPathResolver& resolve) {
    const std::size_t colon = url.find(':');
    if (colon == std::string_view::npos || colon == 0) return false;
    const std::string_view scheme = url.substr(0, colon);
    for (char c : scheme)
        if (!IsSchemeChar(c)) return false;
    const std::string_view rest = url.substr(colon + 1);

    if (EqualNoCase(scheme, "data") || EqualNoCase(scheme, "blob")) return true;
    if (EqualNoCase(scheme, "about")) {
        const std::string_view page = rest.substr(0, rest.find_first_of("?#"));
        return EqualNoCase(page, "blank") || EqualNoCase(page, "srcdoc");
    }
    if (!EqualNoCase(scheme, "file")) return false;

    const std::optional<std::string> path = FilePath(rest);
    if (!path) return false;
    const std::optional<std::string> real = resolve(*path);
    if (!real) return false;
    for (const std::string& root : roots)
        if (IsInside(*real, root)) return true;
    return false;
}

CPageConfinement::CPageConfinement(RealPathResolver resolve) : resolve_(std::move(resolve)) {}

void CPageConfinement::SetProgramFolder(const std::string& folder) {
    const std::string resolved = resolve_(folder).value_or("");
    std::lock_guard guard(mutex_);
    program_ = resolved;
}

void CPageConfinement::SetSkinFolder(const void* owner, const std::string& folder) {
    const std::string resolved = folder.empty() ? std::string() : resolve_(folder).value_or("");
    std::lock_guard guard(mutex_);
    if (resolved.empty()) skins_.erase(owner);
    else skins_[owner] = resolved;
}

std::vector<std::string> CPageConfinement::Roots() const {
    std::lock_guard guard(mutex_);
    std::vector<std::string> roots;
    if (!program_.empty()) roots.push_back(program_);
    for (const auto& [owner, folder] : skins_) roots.push_back(folder);
    return roots;
}

bool CPageConfinement::Allows(std::string_view url) const {
    return IsPageRequestAllowed(url, Roots(), resolve_);
}
