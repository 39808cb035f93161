// What a skin's pages may load. A skin is someone else's data and its
// scripts run in our pages, possibly as root, so a page reaches only the
// files of the program folder and of the skin's own folder, and nothing on
// the network. The decision is a pure function of the address and the
// allowed folders; the Qt adapter asks it for every request a page makes.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The file a path names once every symbolic link and ".." is resolved;
// nothing when it does not exist.
using RealPathResolver = std::function<std::optional<std::string>(const std::string& path)>;
std::optional<std::string> ResolveRealPath(const std::string& path);

// True for what a page may load:
//   - data:, blob:, about:blank and about:srcdoc, which carry the page's own
//     content and reach nothing;
//   - file: addresses on this machine (no host, or "localhost") of an
//     existing file strictly inside one of roots, after percent-decoding and
//     resolving links and "..";
// false for everything else: http, https, ws, wss, ftp, any other scheme,
// other hosts, files outside the roots, an address that does not parse.
// roots must be resolved already (ResolveRealPath) and absolute.
bool IsPageRequestAllowed(std::string_view url, const std::vector<std::string>& roots,
                          const RealPathResolver& resolve);

// The allowed folders of the pages of one program: the program folder and
// the folder of each composed skin. Pages share one web profile, so the
// roots are shared too; each owner keeps its own skin folder up to date. Safe
// to ask from any thread.
class CPageConfinement {
public:
    explicit CPageConfinement(RealPathResolver resolve = ResolveRealPath);

    void SetProgramFolder(const std::string& folder);
    // owner: any key that names the page (its engine); "" removes it.
    void SetSkinFolder(const void* owner, const std::string& folder);

    bool Allows(std::string_view url) const;
    std::vector<std::string> Roots() const;

private:
    RealPathResolver resolve_;
    mutable std::mutex mutex_;
    std::string program_;                          // resolved; "" when unknown
    std::map<const void*, std::string> skins_;     // resolved
};
