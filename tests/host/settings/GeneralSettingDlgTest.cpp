#include "GeneralSettingDlg.h"
#include "SettingsDoubles.h"
#include "SettingsTestEnvironment.h"

#include <gmock/gmock.h>

#include <fstream>
#include <sstream>

namespace {

class FakeParent : public IGeneralPageParent {
public:
    void EnableApply(bool e) override { applyCalls += e ? 1 : 0; }
    int& TemperatureUnit() override { return unit; }
    int applyCalls = 0;
    int unit = 0;
};

class GeneralSettingDlgTest : public SettingsTest {
    void TearDown() override {
        if (hadHome_) setenv("HOME", home_.c_str(), 1);
        SettingsTest::TearDown();
    }
    const char* savedHome_ = std::getenv("HOME");
    bool hadHome_ = savedHome_ != nullptr;
    std::string home_ = savedHome_ ? savedHome_ : "";

protected:
    void SetUp() override {
        SettingsTest::SetUp();
        page.SetExecutablePath("/opt/velmar app/Velmar");
    }
    std::string RunValue() { return UserValue(CGeneralSettingDlg::kRunKey, CGeneralSettingDlg::kRunValue); }
    std::string AutostartFile() {
        std::ifstream in(folder + "/config/autostart/Velmar.desktop");
        if (!in) return "<absent>";
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    CGeneralSettingDlg page{&hives};
    FakeGeneralView view;
    FakeParent parent;
};

TEST_F(GeneralSettingDlgTest, NothingStoredShowsIntervalTwoCelsiusAndClearBoxes) {
    page.OnInitDialog(view, &parent);
    EXPECT_EQ(view.low, 1);
    EXPECT_EQ(view.high, 10);
    EXPECT_EQ(view.position, 2);
    EXPECT_FALSE(view.fahrenheit);
    EXPECT_FALSE(view.autoStart);
    EXPECT_FALSE(view.minimize);
    EXPECT_FALSE(view.changeAtStart);
    EXPECT_EQ(parent.applyCalls, 0);
}

TEST_F(GeneralSettingDlgTest, StoredValuesReadByTheirExactRulesAndSaveAllWritesThemBack) {
    StoreSetting("Interval", "7");
    StoreSetting("Min", "true");  // case matters
    StoreSetting("ChangeAtStart", "TRUE");
    StoreSetting("Temperature", "1");
    page.OnInitDialog(view, &parent);
    EXPECT_EQ(view.position, 7);
    EXPECT_FALSE(view.minimize);
    EXPECT_TRUE(view.changeAtStart);
    EXPECT_TRUE(view.fahrenheit);
    parent.unit = page.LoadTemperatureUnit();

    page.SaveAll();
    EXPECT_EQ(Setting("Interval"), "7");
    EXPECT_EQ(Setting("Min"), "FALSE");
    EXPECT_EQ(Setting("ChangeAtStart"), "TRUE");  // the hidden box keeps its value
    EXPECT_EQ(Setting("Temperature"), "1");
}

TEST_F(GeneralSettingDlgTest, IntervalTextReadsLeadingDigitsAndStaysInTheTimerRange) {
    StoreSetting("Interval", "4 sec");
    EXPECT_EQ(page.LoadInterval(), 4);
    StoreSetting("Interval", "0");
    EXPECT_EQ(page.LoadInterval(), 1);
    StoreSetting("Interval", "abc");
    EXPECT_EQ(page.LoadInterval(), 1);
    StoreSetting("Interval", "3600");
    EXPECT_EQ(page.LoadInterval(), 10);
    CGeneralSettingDlg fresh{&hives};
    EXPECT_EQ(fresh.Interval(), 2);
}

TEST_F(GeneralSettingDlgTest, HandlersToggleTheirValueSetTheParentUnitAndEnableApply) {
    page.OnInitDialog(view, &parent);
    page.OnMinimizeClicked();
    page.OnChangeAtStartClicked();
    page.OnAutoStartClicked();
    page.OnFahrenheitClicked();
    EXPECT_EQ(parent.unit, 1);
    page.OnCelsiusClicked();
    EXPECT_EQ(parent.unit, 0);
    page.OnIntervalDelta();
    EXPECT_EQ(parent.applyCalls, 6);
    EXPECT_TRUE(page.Minimize());
    EXPECT_TRUE(page.ChangeAtStart());
    EXPECT_TRUE(page.AutoStart());
    page.OnMinimizeClicked();
    EXPECT_FALSE(page.Minimize());
}

TEST_F(GeneralSettingDlgTest, AutostartOnWritesRunValueAndDesktopEntryOffRemovesBoth) {
    page.OnInitDialog(view, &parent);
    page.OnAutoStartClicked();
    page.SaveAll();
    EXPECT_EQ(RunValue(), "/opt/velmar app/Velmar");
    EXPECT_THAT(AutostartFile(), ::testing::HasSubstr("Exec=\"/opt/velmar app/Velmar\"\n"));
    EXPECT_THAT(AutostartFile(), ::testing::HasSubstr("[Desktop Entry]\nType=Application\n"));

    CGeneralSettingDlg reopened{&hives};
    EXPECT_TRUE(reopened.LoadAutoStart());
    reopened.OnInitDialog(view, &parent);
    EXPECT_TRUE(view.autoStart);
    reopened.OnAutoStartClicked();
    reopened.SaveAll();
    EXPECT_EQ(RunValue(), "<absent>");
    EXPECT_EQ(AutostartFile(), "<absent>");
}

TEST_F(GeneralSettingDlgTest, AutostartIsReadFromTheRunValueAlone) {
    CRegistryAccess registry(hives);
    registry.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.SetString(CGeneralSettingDlg::kRunKey, CGeneralSettingDlg::kRunValue, ""));
    EXPECT_TRUE(page.LoadAutoStart());  // any content counts
    WriteFile("config/autostart/Velmar.desktop", "[Desktop Entry]\n");
    ASSERT_TRUE(registry.DeleteValue(CGeneralSettingDlg::kRunKey, CGeneralSettingDlg::kRunValue));
    EXPECT_FALSE(page.LoadAutoStart());
}

TEST(XdgAutostartEntryTest, ExecValueQuotesAndEscapesThePath) {
    EXPECT_EQ(CXdgAutostartEntry::ExecValue("/opt/a b/Velmar"), "\"/opt/a b/Velmar\"");
    EXPECT_EQ(CXdgAutostartEntry::ExecValue("/opt/100%/V$x"), "\"/opt/100%%/V\\\\$x\"");
    EXPECT_EQ(CXdgAutostartEntry::ExecValue("/opt/a\\b"), "\"/opt/a\\\\\\\\b\"");
    EXPECT_EQ(CXdgAutostartEntry::ExecValue("/opt/a\nb"), "");
}

TEST_F(GeneralSettingDlgTest, AutostartFolderFollowsXdgConfigHomeAndIgnoresARelativeOne) {
    EXPECT_EQ(CXdgAutostartEntry::AutostartFolder(), folder + "/config/autostart");
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    setenv("HOME", (folder + "/home").c_str(), 1);
    EXPECT_EQ(CXdgAutostartEntry::AutostartFolder(), folder + "/home/.config/autostart");
}

}  // namespace

namespace {

TEST(GeneralSettingDlgPathTest, AutostartRunsTheRunningExecutableByDefault) {
    CGeneralSettingDlg page;
    const std::filesystem::path self = std::filesystem::canonical("/proc/self/exe");
    EXPECT_EQ(std::filesystem::weakly_canonical(page.ExecutablePath()), self);
}

}  // namespace
