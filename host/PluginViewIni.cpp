#include "PluginViewIni.h"

#include "IniProfile.h"

std::string CPluginViewIni::ViewSkin(const std::string& identifier) const {
    return GetProfileString(path_, identifier, "xml", "", kViewXmlBufferChars);
}

bool CPluginViewIni::UpdatesView(const std::string& identifier) const {
    return GetProfileInt(path_, identifier, "Update", 0) == 1;
}

bool CPluginViewIni::SharesData(const std::string& identifier) const {
    return GetProfileInt(path_, identifier, "share", 0) != 0;
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
