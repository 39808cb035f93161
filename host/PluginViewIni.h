// The skin's plug-in view INI file: one section per plug-in identifier with
// "xml" (the view's skin definition, relative to the skin folder), "Update"
// and "share". A question reads the file again when it changed since the
// last, so a skin change or an edited file is seen at once.
#pragma once

#include <string>

#include "FileParseCache.h"
#include "IniProfile.h"

// "xml" is read through a 256-character buffer.
inline constexpr std::size_t kViewXmlBufferChars = 256;

class CPluginViewIni {
public:
    explicit CPluginViewIni(std::string path = {}) : path_(std::move(path)) {}
    void SetPath(std::string path) { path_ = std::move(path); }
    const std::string& Path() const { return path_; }

    // "" when the section or key is missing (callers then report it).
    std::string ViewSkin(const std::string& identifier) const;
    // "Update" = 1: the view refreshes on its timer.
    bool UpdatesView(const std::string& identifier) const;
    // Non-zero "share": the document is also rendered into the main page.
    bool SharesData(const std::string& identifier) const;

private:
    const CIniProfile& Profile() const;

    std::string path_;
    mutable CFileParseCache<CIniProfile> profile_{&CIniProfile::Load};
};

struct ViewSkinLocation {
    std::string folder;    // the base folder with the path's sub-folders appended
    std::string fileName;  // the skin definition's file name
    bool operator==(const ViewSkinLocation&) const = default;
};

// Moves each leading sub-folder of relativePath (with its separator, written
// as "/") onto baseFolder while a separator that is not the last character
// remains; the rest is the file name. "\\" counts as a separator, so skins
// written with backslashes keep working.
ViewSkinLocation SplitViewSkinPath(const std::string& baseFolder, const std::string& relativePath);
