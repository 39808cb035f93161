// What the skin selection dialog needs of the main frame, of its window and
// of the file system.
#pragma once

#include <string>
#include <vector>

class ISkinOwner {
public:
    virtual ~ISkinOwner() = default;
    // The display name of a definition file ("" when it cannot be read).
    virtual std::string GetSkinName(const std::string& definitionPath) = 0;
    // The definition the main window shows now.
    virtual std::string DefinitionPath() = 0;
    // A folder ending in a separator.
    virtual void SetSkinFolder(const std::string& folder) = 0;
    // Recomposes the main window from the named definition in that folder.
    virtual void ChangeSkin(const std::string& fileName) = 0;
};

class ISkinSettingView {
public:
    virtual ~ISkinSettingView() = default;
    virtual void SetFolderText(const std::string& folder) = 0;
    virtual void ClearList() = 0;
    virtual void AppendListItem(const std::string& text) = 0;
    virtual void SelectListItem(int index) = 0;
};

class IFolderBrowser {
public:
    virtual ~IFolderBrowser() = default;
    // The chosen folder, "" when the user cancels.
    virtual std::string BrowseForFolder(const std::string& title) = 0;
};

class ISkinFolderLister {
public:
    virtual ~ISkinFolderLister() = default;
    // File names (no folder) of the folder's "*.xml" files, directories left
    // out, in the order the file system returns them.
    virtual std::vector<std::string> DefinitionFiles(const std::string& folder) = 0;
};

// The real file system.
class CSkinFolderLister : public ISkinFolderLister {
public:
    std::vector<std::string> DefinitionFiles(const std::string& folder) override;
};
