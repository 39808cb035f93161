#include "SettingsTestEnvironment.h"
#include "SkinSetting.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <map>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class FakeOwner : public ISkinOwner {
public:
    std::string GetSkinName(const std::string& path) override {
        const auto it = names.find(path);
        return it == names.end() ? "" : it->second;
    }
    std::string DefinitionPath() override { return current; }
    void SetSkinFolder(const std::string& f) override { calls.push_back("folder " + f); }
    void ChangeSkin(const std::string& file) override { calls.push_back("skin " + file); }
    std::map<std::string, std::string> names;
    std::string current;
    std::vector<std::string> calls;
};

class FakeLister : public ISkinFolderLister {
public:
    std::vector<std::string> DefinitionFiles(const std::string& folder) override {
        return folders[folder];
    }
    std::map<std::string, std::vector<std::string>> folders;
};

class FakeBrowser : public IFolderBrowser {
public:
    std::string BrowseForFolder(const std::string& t) override {
        title = t;
        return answer;
    }
    std::string answer, title;
};

class FakeSkinView : public ISkinSettingView {
public:
    void SetFolderText(const std::string& f) override { folder = f; }
    void ClearList() override { items.clear(); }
    void AppendListItem(const std::string& t) override { items.push_back(t); }
    void SelectListItem(int i) override { selected.push_back(i); }
    std::string folder;
    std::vector<std::string> items;
    std::vector<int> selected;
};

class SkinSettingTest : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        lister.folders["/opt/velmar/Skin"] = {"Kavo.xml", "blue.xml", "Kavo2.xml"};
        owner.names = {{"/opt/velmar/Skin/Kavo.xml", "Kavo"},
                       {"/opt/velmar/Skin/blue.xml", "Blue"},
                       {"/opt/velmar/Skin/Kavo2.xml", "Kavo"}};
    }
    FakeOwner owner;
    FakeLister lister;
    FakeBrowser browser;
    FakeSkinView view;
    CSkinSetting setting{owner, lister, browser, "/opt/velmar/", &hives};
};

TEST_F(SkinSettingTest, ListKeepsFileSystemOrderAndDuplicateNames) {
    EXPECT_TRUE(setting.OnInitDialog(view));
    EXPECT_EQ(view.folder, "/opt/velmar/Skin");
    EXPECT_THAT(view.items, ElementsAre("Kavo", "Blue", "Kavo"));
}

TEST_F(SkinSettingTest, ChoosingADuplicateNameSwitchesToEachInTurnEndingWithTheLast) {
    setting.OnInitDialog(view);
    setting.OnSelectionChanged("Kavo");
    EXPECT_THAT(owner.calls, ElementsAre("folder /opt/velmar/Skin/", "skin Kavo.xml",
                                         "folder /opt/velmar/Skin/", "skin Kavo2.xml"));
    owner.calls.clear();
    setting.OnSelectionChanged("kavo");  // names compare exactly
    EXPECT_THAT(owner.calls, IsEmpty());
}

TEST_F(SkinSettingTest, StoredSkinPathIsListedAtOpening) {
    StoreSetting("SkinPath", "/home/u/skins/");
    lister.folders["/home/u/skins"] = {"red.xml"};
    owner.names["/home/u/skins/red.xml"] = "Red";
    setting.OnInitDialog(view);
    EXPECT_EQ(view.folder, "/home/u/skins");
    EXPECT_THAT(view.items, ElementsAre("Red"));
}

TEST_F(SkinSettingTest, BrowsingRefillsTheListAndCancellingKeepsItBothStoreSkinPath) {
    setting.OnInitDialog(view);
    setting.OnBrowse();
    EXPECT_EQ(browser.title, "Please select a skin folder");
    EXPECT_THAT(view.items, ElementsAre("Kavo", "Blue", "Kavo"));
    EXPECT_EQ(Setting("SkinPath"), "/opt/velmar/Skin");

    browser.answer = "/media/skins";
    lister.folders["/media/skins"] = {"x.xml", "y.xml"};
    owner.names = {{"/media/skins/x.xml", "X"}, {"/media/skins/y.xml", "Y"}};
    setting.OnBrowse();
    EXPECT_EQ(view.folder, "/media/skins");
    EXPECT_THAT(view.items, ElementsAre("X", "Y"));
    EXPECT_EQ(Setting("SkinPath"), "/media/skins");
    setting.OnSelectionChanged("Y");
    EXPECT_THAT(owner.calls, ElementsAre("folder /media/skins/", "skin y.xml"));
}

TEST_F(SkinSettingTest, ShowingSelectsTheCurrentSkinBySubstringAndCaselessPrefix) {
    setting.OnInitDialog(view);
    owner.current = "/opt/velmar/Skin/myblue.xml";
    setting.OnShowWindow();
    EXPECT_THAT(view.selected, ElementsAre(1));
    view.selected.clear();
    owner.current = "/opt/velmar/Skin/Kavo2.xml";
    setting.OnShowWindow();
    // Only the second file's name is a substring; the prefix search from the
    // second item wraps around and finds the first "Kavo" at index 2.
    EXPECT_THAT(view.selected, ElementsAre(2));
}

TEST_F(SkinSettingTest, InitialSkinIsStoredAsAFileName) {
    EXPECT_EQ(setting.ReadInitialSkin(), "");
    EXPECT_TRUE(setting.SaveInitialSkin("blue.xml"));
    EXPECT_EQ(setting.ReadInitialSkin(), "blue.xml");
    EXPECT_EQ(Setting("InitialSkin"), "blue.xml");
}

class SkinFolderListerTest : public SettingsTest {};

TEST_F(SkinFolderListerTest, ListsXmlFilesOfAnyCaseInReaddirOrderWithoutDirectories) {
    WriteFile("skins/b.xml", "");
    WriteFile("skins/A.XML", "");
    WriteFile("skins/notes.txt", "");
    WriteFile("skins/c.xml.bak", "");
    std::filesystem::create_directories(folder + "/skins/dir.xml");
    std::vector<std::string> expected;
    for (const auto& entry : std::filesystem::directory_iterator(folder + "/skins")) {
        const std::string name = entry.path().filename().string();
        if (name == "b.xml" || name == "A.XML") expected.push_back(name);
    }
    CSkinFolderLister lister;
    EXPECT_EQ(lister.DefinitionFiles(folder + "/skins"), expected);
    EXPECT_THAT(lister.DefinitionFiles(folder + "/none"), IsEmpty());
}

}  // namespace
