// The skin chooser: a folder, the display names of its definitions in the
// order the file system lists them, and a switch of the main window's skin
// on every choice. It also keeps "SkinPath" and "InitialSkin".
#pragma once

#include "SkinSettingPorts.h"

#include <string>
#include <vector>

class IRegistryHives;

class CSkinSetting {
public:
    static constexpr const char* kBrowseTitle = "Please select a skin folder";

    struct SkinEntry {
        std::string displayName;
        std::string fileName;
    };

    // programFolder: the "Path" answer; the default skin folder is below it.
    CSkinSetting(ISkinOwner& owner, ISkinFolderLister& lister, IFolderBrowser& browser,
                 const std::string& programFolder, IRegistryHives* hives = nullptr);

    std::string ReadSkinPath() const;
    bool SaveSkinPath() const;
    std::string ReadInitialSkin() const;
    bool SaveInitialSkin(const std::string& fileName) const;

    bool OnInitDialog(ISkinSettingView& view);
    void OnBrowse();
    void OnSelectionChanged(const std::string& selectedText);
    void OnShowWindow();

    const std::string& SkinFolder() const { return skinFolder_; }
    const std::vector<SkinEntry>& Entries() const { return entries_; }

private:
    void FillList();

    ISkinOwner& owner_;
    ISkinFolderLister& lister_;
    IFolderBrowser& browser_;
    IRegistryHives* hives_;
    ISkinSettingView* view_ = nullptr;
    std::vector<SkinEntry> entries_;
    std::string skinFolder_;  // no trailing separator
};
