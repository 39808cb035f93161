// The Qt dialogs built on their logic, without a main window: what they show
// and how their controls reach the logic. Each dialog is saved as a PNG under
// <build>/artifacts/ for a look at the layout.
#include "FakePlugin.h"
#include "QtAboutDlg.h"
#include "QtSettingDialog.h"
#include "QtSkinSetting.h"
#include "QtSystemTray.h"
#include "QtSettingsTimers.h"
#include "QtTransDialog.h"
#include "SettingDialog.h"
#include "SettingsDoubles.h"
#include "SettingsTestEnvironment.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTreeWidget>

#include <gmock/gmock.h>

using ::testing::Contains;

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "Velmar";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    static bool resources = (InitSettingsResources(), true);
    (void)resources;
    return app;
}

void SaveShot(QWidget& widget, const QString& name) {
    const QString folder = QStringLiteral(VELMAR_TEST_BIN_DIR "/../artifacts");
    QDir().mkpath(folder);
    widget.grab().save(folder + "/" + name);
}

template <class T>
T* Child(QWidget& parent, const QString& text) {
    for (T* widget : parent.findChildren<T*>())
        if (widget->text() == text) return widget;
    return nullptr;
}

class SettingsQtTest : public SettingsTest {
protected:
    void SetUp() override {
        App();
        SettingsTest::SetUp();
    }
};

TEST_F(SettingsQtTest, SettingDialogShowsThePluginPageFirstAndAppliesTheUnit) {
    std::vector<std::string> log;
    FakeFrame frame{log};
    frame.skinFolder = VELMAR_TEST_DATA_DIR "/../../host/res/icons/";
    frame.iniPath = WriteFile("plugin.ini", "[FAN_PLUGIN]\nIcon=135.png\nName=Fan\n");
    FakePlugin fan{"FAN_PLUGIN", log};
    fan.makePage = [](VARN_WINDOW parent) -> VARN_WINDOW {
        auto* page = new QLabel("Fan page", static_cast<QWidget*>(parent));
        page->resize(300, 200);
        page->hide();
        return static_cast<QWidget*>(page);
    };
    fan.closePage = [](VARN_WINDOW page) { delete static_cast<QWidget*>(page); };
    frame.plugins = {fan.Base()};
    CSettingDialog logic{frame, &hives};
    logic.GeneralPage().SetExecutablePath("/opt/velmar/Velmar");
    CQtSettingDialog dialog{logic, QIcon(":/icons/130.png")};
    ASSERT_TRUE(dialog.Open());
    dialog.show();

    auto* list = dialog.findChild<QListWidget*>("PageList");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "Fan");
    EXPECT_EQ(list->item(1)->text(), "General");
    EXPECT_FALSE(list->item(0)->icon().isNull());
    EXPECT_EQ(dialog.findChild<QLabel*>("Caption")->text(), "Fan");
    auto* page = static_cast<QWidget*>(fan.PageWindow());
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(page->parentWidget(), &dialog);
    EXPECT_FALSE(Child<QPushButton>(dialog, "Apply")->isEnabled());
    SaveShot(dialog, "settings-dialog.png");

    list->item(1)->setSelected(true);
    EXPECT_EQ(dialog.findChild<QLabel*>("Caption")->text(), "General Setting");
    EXPECT_FALSE(page->isVisible());
    auto* general = dialog.findChild<QWidget*>("GeneralPage");
    ASSERT_NE(general, nullptr);
    EXPECT_TRUE(general->isVisible());
    auto* spin = general->findChild<QSpinBox*>();
    EXPECT_EQ(spin->minimum(), 1);
    EXPECT_EQ(spin->maximum(), 10);
    EXPECT_EQ(spin->value(), 2);
    EXPECT_FALSE(Child<QCheckBox>(*general, "Automatically change to last operate mode when execute")->isVisible());
    SaveShot(dialog, "settings-general.png");

    log.clear();
    spin->setValue(4);
    Child<QRadioButton>(*general, "Fahrenheit")->click();
    EXPECT_TRUE(Child<QPushButton>(dialog, "Apply")->isEnabled());
    Child<QPushButton>(dialog, "Apply")->click();
    EXPECT_THAT(log, Contains("FAN_PLUGIN SET_TEMPERATURE_DISP 1 0"));
    EXPECT_EQ(Setting("Interval"), "4");
    EXPECT_EQ(Setting("Temperature"), "1");
    EXPECT_FALSE(Child<QPushButton>(dialog, "Apply")->isEnabled());

    dialog.reject();  // Escape / close box: the page is closed by its plug-in
    EXPECT_EQ(dialog.result(), CSettingDialog::IDCANCEL);
    EXPECT_FALSE(fan.PageOpen());
    EXPECT_EQ(fan.References(), 1);
}

TEST_F(SettingsQtTest, TransparencySliderStopsAt103AndShowsItsPercentage) {
    CTransDialog logic;
    CQtTransDialog dialog{logic};
    dialog.Open();
    auto* slider = dialog.findChild<QSlider*>("TransparencySlider");
    EXPECT_EQ(slider->minimum(), 103);
    EXPECT_EQ(slider->maximum(), 255);
    EXPECT_EQ(slider->value(), 255);
    EXPECT_EQ(dialog.findChild<QLabel*>("Percent")->text(), "100%");
    slider->setValue(50);
    EXPECT_EQ(logic.GetAlpha(), 103);
    EXPECT_EQ(dialog.findChild<QLabel*>("Percent")->text(), "40%");
    EXPECT_EQ(dialog.windowTitle(), "Transparent Setting");
    SaveShot(dialog, "transparency-dialog.png");
}

TEST_F(SettingsQtTest, AboutListsPluginsUnderBothHeadersAndTheBackend) {
    CAboutDlg logic({{"libzefan.so", "1,0,0,0"}}, &hives);
    CQtAboutDlg dialog{logic, QIcon(":/icons/130.png")};
    auto* list = dialog.findChild<QTreeWidget*>("PluginList");
    EXPECT_EQ(list->headerItem()->text(0), "Plug-In");
    EXPECT_EQ(list->headerItem()->text(1), "Version");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "1,0,0,0");
    EXPECT_EQ(dialog.findChild<QLabel*>("VersionLine")->text(), "EXE Version 3.1.0.1");
    EXPECT_TRUE(dialog.findChild<QLabel*>("BackendLine")->text().contains("simulated"));
    SaveShot(dialog, "about-dialog.png");
}

TEST_F(SettingsQtTest, TrayMenuMarksTheDefaultItemBold) {
    CQtTrayIcon port;
    CQtSettingsTimers timers;
    CSteadyClock clock;
    CAppTray tray{port, timers, clock};
    tray.SetDefaultMenuItem(CSystemTray::ID_MINIMIZE, false);
    std::unique_ptr<QMenu> menu(port.BuildMenu(tray.MenuEntries()));
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 5);
    EXPECT_EQ(actions[0]->text(), "Maximize");
    EXPECT_FALSE(actions[0]->font().bold());
    EXPECT_TRUE(actions[1]->font().bold());
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_EQ(actions[3]->text(), "About");
    EXPECT_EQ(actions[4]->text(), "Exit");
    EXPECT_FALSE(CQtTrayIcon::IconOf(TrayIconResource(135)).pixmap(16, 16).isNull());
    menu->adjustSize();
    SaveShot(*menu, "tray-menu.png");
}

class NamedOwner : public ISkinOwner {
public:
    std::string GetSkinName(const std::string& path) override {
        return path.find("a.xml") != std::string::npos ? "Kavo" : "Blue";
    }
    std::string DefinitionPath() override { return "/x/b.xml"; }
    void SetSkinFolder(const std::string&) override {}
    void ChangeSkin(const std::string& file) override { changed.push_back(file); }
    std::vector<std::string> changed;
};

TEST_F(SettingsQtTest, SkinDialogListsDefinitionsAndSwitchesOnAChoice) {
    WriteFile("skins/a.xml", "");
    WriteFile("skins/b.xml", "");
    StoreSetting("SkinPath", folder + "/skins");
    NamedOwner owner;
    CSkinFolderLister lister;
    CQtFolderBrowser browser;
    CSkinSetting logic{owner, lister, browser, "/opt/velmar/", &hives};
    CQtSkinSetting dialog{logic};
    auto* list = dialog.findChild<QListWidget*>("SkinList");
    ASSERT_EQ(list->count(), 2);
    dialog.show();
    EXPECT_EQ(list->currentItem()->text(), "Blue");
    EXPECT_TRUE(owner.changed.empty());  // marking the current skin switches nothing
    list->item(list->currentRow() == 0 ? 1 : 0)->setSelected(true);
    EXPECT_THAT(owner.changed, ::testing::ElementsAre("a.xml"));
    SaveShot(dialog, "skin-dialog.png");
}

}  // namespace
