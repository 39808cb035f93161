#include "SkinSetting.h"

#include "RegistryAccess.h"
#include "RegistryHives.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kSettingsKey = "SOFTWARE\\VARN\\TamloIII";

CRegistryAccess UserRegistry(IRegistryHives* hives) {
    CRegistryAccess registry = hives ? CRegistryAccess(*hives) : CRegistryAccess();
    registry.SetRootKey(HKEY_CURRENT_USER);
    return registry;
}

bool EndsWithXml(const std::string& name) {
    if (name.size() < 4) return false;
    const std::string tail = name.substr(name.size() - 4);
    return tail[0] == '.' && std::tolower(static_cast<unsigned char>(tail[1])) == 'x' &&
           std::tolower(static_cast<unsigned char>(tail[2])) == 'm' &&
           std::tolower(static_cast<unsigned char>(tail[3])) == 'l';
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

std::string WithoutTrailingSeparator(std::string folder) {
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
    return folder;
}

}  // namespace

std::vector<std::string> CSkinFolderLister::DefinitionFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    // directory_iterator hands the entries on in readdir order, unsorted.
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code kindError;
        if (it->is_directory(kindError)) continue;
        const std::string name = it->path().filename().string();
        if (EndsWithXml(name)) names.push_back(name);
    }
    return names;
}

CSkinSetting::CSkinSetting(ISkinOwner& owner, ISkinFolderLister& lister, IFolderBrowser& browser,
                           const std::string& programFolder, IRegistryHives* hives)
    : owner_(owner), lister_(lister), browser_(browser), hives_(hives),
      skinFolder_(programFolder + "Skin") {}

std::string CSkinSetting::ReadSkinPath() const {
    std::string text;
    UserRegistry(hives_).QueryString(kSettingsKey, "SkinPath", text);
    return text;
}

bool CSkinSetting::SaveSkinPath() const {
    return UserRegistry(hives_).SetString(kSettingsKey, "SkinPath", skinFolder_);
}

std::string CSkinSetting::ReadInitialSkin() const {
    std::string text;
    UserRegistry(hives_).QueryString(kSettingsKey, "InitialSkin", text);
    return text;
}

bool CSkinSetting::SaveInitialSkin(const std::string& fileName) const {
    return UserRegistry(hives_).SetString(kSettingsKey, "InitialSkin", fileName);
}

bool CSkinSetting::OnInitDialog(ISkinSettingView& view) {
    view_ = &view;
    const std::string stored = ReadSkinPath();
    if (!stored.empty()) skinFolder_ = WithoutTrailingSeparator(stored);
    view.SetFolderText(skinFolder_);
    FillList();
    return true;
}

void CSkinSetting::FillList() {
    for (const std::string& file : lister_.DefinitionFiles(skinFolder_)) {
        const std::string name = owner_.GetSkinName(skinFolder_ + "/" + file);
        if (view_) view_->AppendListItem(name);
        entries_.push_back({name, file});
    }
}

void CSkinSetting::OnBrowse() {
    const std::string previous = skinFolder_;
    const std::string chosen = browser_.BrowseForFolder(kBrowseTitle);
    if (!chosen.empty()) {
        skinFolder_ = WithoutTrailingSeparator(chosen);
        if (view_) {
            view_->SetFolderText(skinFolder_);
            view_->ClearList();
        }
        entries_.clear();
        FillList();
    } else {
        skinFolder_ = previous;
    }
    SaveSkinPath();
}

void CSkinSetting::OnSelectionChanged(const std::string& selectedText) {
    // Copy first: changing the skin may re-enter this dialog.
    const std::vector<SkinEntry> entries = entries_;
    const std::string folder = skinFolder_ + "/";
    for (const SkinEntry& entry : entries) {
        if (entry.displayName != selectedText) continue;
        owner_.SetSkinFolder(folder);
        owner_.ChangeSkin(entry.fileName);
    }
}

void CSkinSetting::OnShowWindow() {
    if (view_ == nullptr || entries_.empty()) return;
    const std::string current = owner_.DefinitionPath();
    const int count = static_cast<int>(entries_.size());
    for (const SkinEntry& entry : entries_) {
        if (current.find(entry.fileName) == std::string::npos) continue;
        // The list box's prefix search: from the second item, wrapping around.
        for (int step = 0; step < count; ++step) {
            const int index = (1 + step) % count;
            if (StartsWithNoCase(entries_[static_cast<std::size_t>(index)].displayName,
                                 entry.displayName)) {
                view_->SelectListItem(index);
                break;
            }
        }
    }
}
