#include "PluginViewIni.h"

#include "IniProfile.h"

const CIniProfile& CPluginViewIni::Profile() const { return profile_.Get(path_); }

std::string CPluginViewIni::ViewSkin(const std::string& identifier) const {
    return Profile().GetString(identifier, "xml", "", kViewXmlBufferChars);
}

bool CPluginViewIni::UpdatesView(const std::string& identifier) const {
    return Profile().GetInt(identifier, "Update", 0) == 1;
}

bool CPluginViewIni::SharesData(const std::string& identifier) const {
    return Profile().GetInt(identifier, "share", 0) != 0;
}

ViewSkinLocation SplitViewSkinPath(const std::string& baseFolder, const std::string& relativePath) {
    ViewSkinLocation location{baseFolder, relativePath};
    for (;;) {
        const std::size_t separator = location.fileName.find_first_of("/\\");
        if (separator == std::string::npos || separator + 1 == location.fileName.size()) break;
        location.folder += location.fileName.substr(0, separator) + "/";
        location.fileName.erase(0, separator + 1);
    }
    return location;
}
