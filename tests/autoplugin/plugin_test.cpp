// The automatic-mode plug-in object as the host drives it: its choices go
// out through the host's callback between START_AUTOPACE and STOP_AUTOPACE,
// its document shows the rules in the host's unit, its page stores them.
#include <gtest/gtest.h>

#include <fstream>

#include "autoplugin/AutoPacePlugin.h"
#include "autoplugin/linux/FileLoadSource.h"
#include "common/RegistryAccess.h"
#include "common/RegistryHives.h"
#include "plugin_api/kit/HostCallback.h"
#include "plugin_api/kit/HostTemperatureUnit.h"
#include "plugin_api/kit/doubles/HostSide.h"
#include "plugin_api/kit/doubles/ManualTime.h"

namespace autopace {
namespace {

std::vector<std::string> g_events;

int32_t Record(const char* sender, const char* event, int32_t, int32_t value, int32_t)
{
    g_events.push_back(std::string(sender) + " " + event + " " + std::to_string(value));
    return 0;
}

struct NoHeat : ITemperatureSource {
    std::optional<double> Hottest() override { return std::nullopt; }
};

struct RecordingPage : IPacePageView {
    void ShowStatus(const std::string& text) override { status = text; }
    void ShowField(int index, const std::string&, const std::string& unit, int low, int high, int value) override
    {
        fields[index] = {unit, std::to_string(low) + ".." + std::to_string(high) + "=" + std::to_string(value)};
    }
    std::string status;
    std::map<int, std::pair<std::string, std::string>> fields;
};

using WindowlessPages = pluginkit::CWindowlessPages<CPacePage, IPacePageView, RecordingPage>;

// A load file in /proc/stat's format that the test writes.
void WriteStat(const std::string& path, unsigned busy, unsigned idle)
{
    std::ofstream(path) << "cpu  " << busy << " 0 0 " << idle << " 0 0 0 0 0 0\n";
}

class AutoPacePluginTest : public ::testing::Test {
protected:
    AutoPacePluginTest()
    {
        g_events.clear();
        pluginkit::SetHostCallback(Record);
        CRegistryAccess registry(hives, CRegistryAccess::Edition::Plugin);
        registry.SetRootKey(HKEY_CURRENT_USER);
        registry.SetString(kPaceSettingsKey, kLoadSourceValue, stat);
        registry.SetDword(kPaceSettingsKey, "Period", 1);
        registry.SetString(pluginkit::kHostSettingsKey, pluginkit::kTemperatureUnitValue, "1");
        void* base = CreateAutoPaceObject(VARN_IID_PLUGIN, [&] {
            return PacePlugInPorts{std::make_unique<CFileLoadSource>(), std::make_unique<NoHeat>(),
                                   std::make_unique<pluginkit::CManualTimer>(clock), clock, hives, pages};
        });
        extend = static_cast<IVARNExtend*>(base);
    }
    ~AutoPacePluginTest() override
    {
        pluginkit::Release(extend);
        pluginkit::SetHostCallback(nullptr);
        std::remove(stat.c_str());
    }
    void Send(const char* command) { extend->vtbl->SendCommand(extend, command, 0, 0); }

    std::string stat = ::testing::TempDir() + "autopace-stat";
    CMemoryRegistryHives hives;
    WindowlessPages pages;
    pluginkit::CManualClock clock;
    IVARNExtend* extend = nullptr;
};

TEST_F(AutoPacePluginTest, ChoicesReachTheHostOnlyWhileOn)
{
    WriteStat(stat, 0, 0);
    Send(VARN_CMD_START_AUTOPACE);
    WriteStat(stat, 90, 10);
    clock.Advance(1000);
    EXPECT_EQ(g_events, std::vector<std::string>{"VARNAUTOPACE_PLUGIN CHANGE_MODE_AUTOPACE 1"});
    EXPECT_NE(pluginkit::Document(extend).find("<STATE>on</STATE><MODE>Turbo</MODE><LOAD>90 %</LOAD><TEMP></TEMP>"),
              std::string::npos);

    Send(VARN_CMD_STOP_AUTOPACE);
    WriteStat(stat, 91, 200);
    clock.Advance(60000);
    EXPECT_EQ(g_events.size(), 1u);
    const std::string text = pluginkit::Document(extend);
    EXPECT_NE(text.find("<STATE>off</STATE>"), std::string::npos);
    // The host's unit is Fahrenheit: 70 C and 50 C are shown as such.
    EXPECT_NE(text.find("<ITEM NAME=\"AUTO\"><TEXT>Auto: Turbo from 70 % load or 158 \u00B0F, Quiet up to 20 % and "
                        "122 \u00B0F"),
              std::string::npos)
        << text;
}

TEST_F(AutoPacePluginTest, ThePageShowsTheHostsUnitAndStoresCelsiusOnApply)
{
    auto* dialog = pluginkit::Query<IVARNDialog>(extend, VARN_IID_DIALOG);
    ASSERT_NE(dialog->vtbl->CreatePage(dialog, &pages), nullptr);
    EXPECT_EQ(pages.view.fields[3], (std::pair<std::string, std::string>{"\u00B0F", "33..248=158"}));
    EXPECT_EQ(pages.view.fields[5].second, "0..54=9");  // a width: 5 C
    pages.model->SetValue(3, 176);                       // Turbo from 176 F = 80 C
    EXPECT_EQ(g_events, std::vector<std::string>{"VARNAUTOPACE_PLUGIN DLG_CHANGED 0"});
    EXPECT_EQ(dialog->vtbl->OnApply(dialog), 1);
    CRegistryAccess registry(hives, CRegistryAccess::Edition::Plugin);
    registry.SetRootKey(HKEY_CURRENT_USER);
    std::uint32_t stored = 0;
    ASSERT_TRUE(registry.QueryDword(kPaceSettingsKey, "TurboTemp", &stored));
    EXPECT_EQ(stored, 80u);
    EXPECT_EQ(dialog->vtbl->OnOK(dialog), 1);
}

}  // namespace
}  // namespace autopace
