// The test host: loads build/app/ZEFAN.so with dlopen and drives its whole
// life through the C ABI alone, as Velmar does, with a QApplication for the
// page. After each step it reads the simulated chip's registers from the
// simulator's state file and the user's hive from the registry store, so
// what is checked is what the plug-in really wrote.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include <dlfcn.h>
#include <libxml/parser.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "RegistryAccess.h"
#include "VarnPlugin.h"
#include "hwmon/varnio/BackendSettings.h"
#include "hwmon/varnio/SimulatedChipState.h"
#include "hwmon/linux/StateFile.h"

namespace {

// Item numbers and registers of the simulated board's fans.
constexpr int kCpuFan = 7;
constexpr int kSysFan = 8;
constexpr int kSysFan2 = 9;
constexpr std::uint8_t kCpuFanTarget = 0x06, kCpuFanStart = 0x0B, kCpuFanDuty = 0x03;
constexpr std::uint8_t kFanModes = 0x04;  // CPU fan's mode in bits 5-4
constexpr std::uint8_t kSysFanTarget = 0x05, kSysFan2Target = 0x13, kSysFan2Duty = 0x11;

std::vector<std::string> g_events;

int32_t HostCallback(const char* sender, const char* event, int32_t extra1, int32_t value, int32_t extra2)
{
    g_events.push_back(std::string(sender) + " " + event + " " + std::to_string(extra1) + " " +
                       std::to_string(value) + " " + std::to_string(extra2));
    return 0;
}

std::string ProfileDir() { return std::getenv("VELMAR_REGISTRY_DIR"); }

class ZefanHostTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "zefan_host_tests";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance() == nullptr) {
            new QApplication(argc, argv);
        }
        library_ = dlopen(VELMAR_APP_DIR "/ZEFAN.so", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << dlerror();
        getObject_ = reinterpret_cast<PlugIn_GetObjectFn>(dlsym(library_, VARN_ENTRY_NAME));
    }
    static void TearDownTestSuite()
    {
        if (library_ != nullptr) {
            dlclose(library_);
        }
    }

    // A fresh machine for every test: the simulated board presented, the
    // simulated chip powered on, no user settings.
    void SetUp() override
    {
        ASSERT_NE(getObject_, nullptr);
        std::filesystem::remove(ProfileDir() + "/HKEY_CURRENT_USER.reg");
        std::filesystem::remove(StatePath());
        CRegistryAccess machine;
        ASSERT_TRUE(machine.SetRootKey(HKEY_LOCAL_MACHINE));
        ASSERT_TRUE(machine.SetString("SOFTWARE\\VARN\\SystemInfo", "MBModel", "SimulatedBoard"));
        ASSERT_TRUE(machine.SetString(hwmon::kVarnioKey, hwmon::kBackendValue, "simulated"));
        g_events.clear();
    }

    // ---- The host's side: only what crosses the C ABI.

    IVARNPlugin* LoadPlugin()
    {
        auto* base = static_cast<IVARNPlugin*>(getObject_(VARN_IID_PLUGIN));
        EXPECT_NE(base, nullptr);
        char name[VARN_NAME_BUFFER_SIZE] = {};
        EXPECT_EQ(base->vtbl->GetName(base, name), 0);
        EXPECT_STREQ(name, "ZEFAN_PLUGIN");
        // The host's loading sequence: unit, callback, release the query.
        IVARNExtend* extend = Query<IVARNExtend>(base, VARN_IID_EXTEND);
        EXPECT_EQ(extend->vtbl->SendCommand(extend, VARN_CMD_SET_TEMPERATURE_DISP, 0, 0), 0);
        EXPECT_EQ(extend->vtbl->SetCallback(extend, 0, HostCallback), 0);
        EXPECT_EQ(extend->vtbl->base.Release(reinterpret_cast<IVARNPlugin*>(extend)), 1);
        return base;
    }
    template <class Interface>
    static Interface* Query(IVARNPlugin* base, const char* name)
    {
        void* out = nullptr;
        EXPECT_EQ(base->vtbl->QueryInterface(base, name, &out), VARN_QI_FOUND) << name;
        return static_cast<Interface*>(out);
    }
    static int32_t Release(void* anyInterface)
    {
        auto* base = static_cast<IVARNPlugin*>(anyInterface);
        return base->vtbl->Release(base);
    }
    static std::string GetData(IVARNPlugin* base)
    {
        IVARNInfo* info = Query<IVARNInfo>(base, VARN_IID_INFO);
        std::vector<char> buffer(VARN_LARGE_DATA_BUFFER_SIZE, '#');
        EXPECT_EQ(info->vtbl->GetData(info, buffer.data(), 0), 1);
        Release(info);
        EXPECT_EQ(buffer[VARN_DATA_BUFFER_SIZE], '#');
        return std::string(buffer.data(), strnlen(buffer.data(), VARN_DATA_BUFFER_SIZE));
    }

    // ---- What the plug-in left behind.

    static std::string StatePath() { return ProfileDir() + "/varnio-sim.state"; }
    static hwmon::SimulatedChipState Chip()
    {
        hwmon::CStateFile file(StatePath());
        std::string text;
        hwmon::SimulatedChipState state;
        EXPECT_TRUE(file.Lock());
        EXPECT_TRUE(file.Load(text));
        file.Unlock();
        EXPECT_TRUE(hwmon::DecodeState(text, state)) << "the chip was never touched";
        return state;
    }
    static std::uint8_t Reg(std::uint8_t index) { return Chip().banks[0][index]; }
    static void SetReg(std::uint8_t index, std::uint8_t value)
    {
        hwmon::CStateFile file(StatePath());
        std::string text;
        hwmon::SimulatedChipState state;
        ASSERT_TRUE(file.Lock());
        ASSERT_TRUE(file.Load(text) && hwmon::DecodeState(text, state));
        state.banks[0][index] = value;
        ASSERT_TRUE(file.Save(hwmon::EncodeState(state)));
        file.Unlock();
    }
    static std::uint32_t Stored(int item, const char* name)
    {
        CRegistryAccess user;
        user.SetRootKey(HKEY_CURRENT_USER);
        std::uint32_t value = 0xDEAD;
        user.QueryDword("Software\\VARN\\HWM\\" + std::to_string(item), name, &value);
        return value;
    }
    static void Store(int item, const char* name, std::uint32_t value)
    {
        CRegistryAccess user;
        user.SetRootKey(HKEY_CURRENT_USER);
        ASSERT_TRUE(user.SetDword("Software\\VARN\\HWM\\" + std::to_string(item), name, value));
    }
    static int CpuFanMode() { return (Reg(kFanModes) >> 4) & 3; }

    // ---- The page, as a user sees it.

    static QCheckBox* EnableBox(QWidget* page)
    {
        for (QCheckBox* box : page->findChildren<QCheckBox*>()) {
            if (box->text() == "Enable ZEFAN") {
                return box;
            }
        }
        return nullptr;
    }
    static bool ShowsText(QWidget* page, const QString& text)
    {
        for (QLineEdit* edit : page->findChildren<QLineEdit*>()) {
            if (edit->text() == text) {
                return true;
            }
        }
        return false;
    }

    static inline void* library_ = nullptr;
    static inline PlugIn_GetObjectFn getObject_ = nullptr;
};

TEST_F(ZefanHostTest, FirstLoadProgramsAndStoresTheBoardsSettings)
{
    IVARNPlugin* base = LoadPlugin();
    EXPECT_EQ(Reg(kCpuFanTarget), 60);
    EXPECT_EQ(Reg(kCpuFanStart), 153);
    EXPECT_EQ(CpuFanMode(), 1);
    EXPECT_EQ(Reg(kSysFanTarget), 40);
    EXPECT_EQ(Reg(kSysFan2Target), 50);  // not enabled by the board: untouched
    EXPECT_EQ(Stored(kCpuFan, "TargetTemp"), 60u);
    EXPECT_EQ(Stored(kCpuFan, "SmartFanEnable"), 1u);
    EXPECT_EQ(Stored(kSysFan, "StopCtrl"), 50u);
    EXPECT_EQ(Stored(kSysFan2, "SmartFanEnable"), 0u);
    EXPECT_EQ(Release(base), 0);
}

TEST_F(ZefanHostTest, ALaterLoadProgramsTheStoredSettings)
{
    EXPECT_EQ(Release(LoadPlugin()), 0);
    Store(kCpuFan, "TargetTemp", 65);
    Store(kCpuFan, "StartCtrl", 80);
    SetReg(kCpuFanTarget, 47);

    IVARNPlugin* base = LoadPlugin();
    EXPECT_EQ(Reg(kCpuFanTarget), 65);
    EXPECT_EQ(Reg(kCpuFanStart), 204);
    EXPECT_EQ(Stored(kCpuFan, "TargetTemp"), 65u);
    EXPECT_EQ(Release(base), 0);
    EXPECT_EQ(Stored(kCpuFan, "StartCtrl"), 80u);
}

TEST_F(ZefanHostTest, TheDocumentReportsTheChipNowAndAlwaysInCelsius)
{
    IVARNPlugin* base = LoadPlugin();
    SetReg(kSysFan2Duty, 115);
    const std::string document = GetData(base);
    xmlDoc* doc = xmlReadMemory(document.data(), static_cast<int>(document.size()), nullptr, nullptr, XML_PARSE_NONET);
    ASSERT_NE(doc, nullptr) << document;
    xmlFreeDoc(doc);
    EXPECT_NE(document.find("<ITEM NAME=\"ZEFAN_FAN_0\"><CAPTION>CPU FAN</CAPTION><STATUSINFO>3</STATUSINFO>"),
              std::string::npos)
        << document;
    EXPECT_NE(document.find("<ITEM NAME=\"ZEFAN_FAN_2\"><CAPTION>SYS FAN 2</CAPTION><STATUSINFO>4</STATUSINFO>"
                            "<PWM_DUTYCYCLE>45%</PWM_DUTYCYCLE><TARGET_TEMP>45</TARGET_TEMP>"
                            "<TOLERANCE_TEMP>5</TOLERANCE_TEMP><STOP_PWM>60%</STOP_PWM></ITEM>"),
              std::string::npos)
        << document;
    EXPECT_EQ(document.find("ZEFAN_FAN_4"), std::string::npos);  // the AUX fan has no smart fan
    EXPECT_EQ(document.find("AUX FAN"), std::string::npos);

    SetReg(kSysFan2Duty, 255);
    IVARNExtend* extend = Query<IVARNExtend>(base, VARN_IID_EXTEND);
    EXPECT_EQ(extend->vtbl->SendCommand(extend, VARN_CMD_SET_TEMPERATURE_DISP, 1, 0), 0);
    Release(extend);
    const std::string fahrenheit = GetData(base);
    EXPECT_NE(fahrenheit.find("<PWM_DUTYCYCLE>100%</PWM_DUTYCYCLE><TARGET_TEMP>45</TARGET_TEMP>"), std::string::npos)
        << fahrenheit;
    EXPECT_NE(fahrenheit.find("<TARGET_TEMP>60</TARGET_TEMP>"), std::string::npos);
    EXPECT_EQ(Release(base), 0);
}

TEST_F(ZefanHostTest, TheSettingsPageFromCreateToOKApplyAndCancel)
{
    IVARNPlugin* base = LoadPlugin();
    IVARNExtend* extend = Query<IVARNExtend>(base, VARN_IID_EXTEND);
    extend->vtbl->SendCommand(extend, VARN_CMD_SET_TEMPERATURE_DISP, 1, 0);
    Release(extend);

    QWidget dialog;
    IVARNDialog* page1 = Query<IVARNDialog>(base, VARN_IID_DIALOG);
    QPointer<QWidget> page = static_cast<QWidget*>(page1->vtbl->CreatePage(page1, &dialog));
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page->parentWidget(), &dialog);
    EXPECT_EQ(page1->vtbl->CreatePage(page1, &dialog), page.data());
    dialog.show();
    QApplication::processEvents();
    EXPECT_FALSE(page->isVisible()) << "the host shows the page itself";
    EXPECT_TRUE(ShowsText(page, "140")) << "60 C in Fahrenheit";
    EXPECT_TRUE(g_events.empty());

    // The user switches the CPU fan's thermal cruise off: the host hears of
    // it, the chip and the store do not until the edit is applied.
    QCheckBox* enable = EnableBox(page);
    ASSERT_NE(enable, nullptr);
    ASSERT_TRUE(enable->isChecked());
    enable->click();
    EXPECT_EQ(g_events, (std::vector<std::string>{"ZEFAN_PLUGIN DLG_CHANGED 0 0 0"}));
    EXPECT_EQ(CpuFanMode(), 1);
    EXPECT_EQ(Stored(kCpuFan, "SmartFanEnable"), 1u);

    EXPECT_EQ(page1->vtbl->OnApply(page1), 1);
    EXPECT_FALSE(page.isNull());
    EXPECT_EQ(CpuFanMode(), 0);
    EXPECT_EQ(Reg(kCpuFanDuty), 255);
    EXPECT_EQ(Stored(kCpuFan, "SmartFanEnable"), 0u);

    // On again, and OK: committed, stored, the page gone, the reference
    // returned.
    enable->click();
    EXPECT_EQ(g_events.size(), 2u);
    EXPECT_EQ(page1->vtbl->OnOK(page1), 1);
    EXPECT_TRUE(page.isNull());
    EXPECT_EQ(CpuFanMode(), 1);
    EXPECT_EQ(Stored(kCpuFan, "SmartFanEnable"), 1u);
    EXPECT_EQ(Reg(kCpuFanTarget), 60);

    // A second dialog, cancelled: the edit is dropped everywhere.
    IVARNDialog* page2 = Query<IVARNDialog>(base, VARN_IID_DIALOG);
    page = static_cast<QWidget*>(page2->vtbl->CreatePage(page2, &dialog));
    ASSERT_FALSE(page.isNull());
    EnableBox(page)->click();
    EXPECT_EQ(g_events.size(), 3u);
    EXPECT_EQ(page2->vtbl->OnCancel(page2), 1);
    EXPECT_TRUE(page.isNull());
    EXPECT_EQ(CpuFanMode(), 1);
    EXPECT_EQ(Stored(kCpuFan, "SmartFanEnable"), 1u);

    // Without a page, Apply does nothing and OK only releases.
    IVARNDialog* page3 = Query<IVARNDialog>(base, VARN_IID_DIALOG);
    SetReg(kCpuFanTarget, 47);
    Store(kCpuFan, "TargetTemp", 48);
    EXPECT_EQ(page3->vtbl->OnApply(page3), 0);
    EXPECT_EQ(page3->vtbl->OnOK(page3), 1);
    EXPECT_EQ(Reg(kCpuFanTarget), 47);
    EXPECT_EQ(Stored(kCpuFan, "TargetTemp"), 48u);

    // The final release stores the fans' settings; the chip keeps its values.
    EXPECT_EQ(Release(base), 0);
    EXPECT_EQ(Stored(kCpuFan, "TargetTemp"), 60u);
    EXPECT_EQ(Reg(kCpuFanTarget), 47);
}

TEST_F(ZefanHostTest, ReleasingThePluginWithItsPageOpenClosesThePage)
{
    IVARNPlugin* base = LoadPlugin();
    QWidget dialog;
    IVARNDialog* dialogFace = Query<IVARNDialog>(base, VARN_IID_DIALOG);
    QPointer<QWidget> page = static_cast<QWidget*>(dialogFace->vtbl->CreatePage(dialogFace, &dialog));
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(Release(dialogFace), 1);
    EXPECT_EQ(Release(base), 0);
    EXPECT_TRUE(page.isNull());
}

TEST_F(ZefanHostTest, UnknownInterfaceNamesGiveNoObject)
{
    for (const char* name : {"ivarnplugin", "IVARNPlugin ", "IVARNPlugi", "IVARNDialogs"}) {
        EXPECT_EQ(getObject_(name), nullptr) << name;
    }
    auto* dialog = static_cast<IVARNDialog*>(getObject_(VARN_IID_DIALOG));
    ASSERT_NE(dialog, nullptr);
    // OnOK without a page releases the one reference: the object is gone.
    EXPECT_EQ(dialog->vtbl->OnOK(dialog), 0);
}

}  // namespace
