// The mode-control plug-in object as the host drives it: commands, the
// events it sends back, its document (what the face and About read) and its
// page, on the daemon's double and memory hives.
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <array>
#include <string>
#include <vector>

#include "common/RegistryAccess.h"
#include "common/RegistryHives.h"
#include "modeplugin/ModeControlPlugin.h"
#include "modeplugin/ModeSettings.h"
#include "modeplugin/doubles/FakePowerProfiles.h"
#include "plugin_api/kit/HostCallback.h"
#include "plugin_api/kit/doubles/HostSide.h"
#include "plugin_api/kit/doubles/ManualTime.h"

namespace modes {
namespace {

std::vector<std::string> g_events;
IVARNExtend* g_extend = nullptr;
int32_t g_hostMode = -1;

// The host's reaction to "EXTERNAL_MODE_CHANGE": it reads the mode at once.
int32_t HostCallback(const char* sender, const char* event, int32_t, int32_t value, int32_t)
{
    g_events.push_back(std::string(sender) + " " + event + " " + std::to_string(value));
    if (std::string(event) == VARN_EVT_EXTERNAL_MODE_CHANGE && g_extend != nullptr) {
        g_extend->vtbl->SendCommand(g_extend, VARN_CMD_GETCURR_MODE, reinterpret_cast<VARN_VALUE>(&g_hostMode), 0);
    }
    return 0;
}

struct RecordingView : IModePageView {
    void ShowStatus(const std::string& text) override { status = text; }
    void ShowModeTip(int mode, const std::string& text) override { tips[mode] = text; }
    void ShowUserChoices(int user, const std::vector<std::string>& profiles, int selected) override
    {
        choices[user] = profiles;
        selections[user] = selected;
    }
    std::string status;
    std::array<std::string, kModeCount> tips;
    std::array<std::vector<std::string>, kUserModeCount> choices;
    std::array<int, kUserModeCount> selections{};
};

using WindowlessPages = pluginkit::CWindowlessPages<CModePage, IModePageView, RecordingView>;

class ModePluginTest : public ::testing::Test {
protected:
    ModePluginTest()
    {
        g_events.clear();
        g_hostMode = -1;
        pluginkit::SetHostCallback(HostCallback);
        auto fake = std::make_unique<CFakePowerProfiles>();
        daemon = fake.get();
        auto timer = std::make_unique<pluginkit::CManualTimer>(clock);
        void* base = CreateModeControlObject(VARN_IID_PLUGIN, [&] {
            return ModePlugInPorts{std::move(fake), std::move(timer), hives, pages};
        });
        // The base interface is the object's IVARNExtend.
        extend = g_extend = static_cast<IVARNExtend*>(base);
    }
    ~ModePluginTest() override
    {
        g_extend = nullptr;
        pluginkit::Release(extend);
        pluginkit::SetHostCallback(nullptr);
    }
    int32_t Send(const char* command, VARN_VALUE v1 = 0)
    {
        return extend->vtbl->SendCommand(extend, command, v1, 0);
    }
    std::string StoredUser1()
    {
        CRegistryAccess registry(hives, CRegistryAccess::Edition::Plugin);
        std::string value;
        registry.SetRootKey(HKEY_CURRENT_USER);
        registry.QueryString(kModeSettingsKey, "User1", value);
        return value;
    }

    CMemoryRegistryHives hives;
    WindowlessPages pages;
    pluginkit::CManualClock clock;
    CFakePowerProfiles* daemon = nullptr;
    IVARNExtend* extend = nullptr;
};

TEST_F(ModePluginTest, TheHostReadsTheModeAndHearsOfChangesElsewhere)
{
    int32_t mode = 42;
    EXPECT_EQ(Send(VARN_CMD_GETCURR_MODE, reinterpret_cast<VARN_VALUE>(&mode)), 0);
    EXPECT_EQ(mode, 42);  // nothing known yet: the host keeps its own
    EXPECT_EQ(Send(VARN_CMD_GETCURR_MODE, 0), 0);

    daemon->Appear(kPerformance);
    clock.Advance(CModeControl::kReportDelayMs);
    EXPECT_EQ(g_events, std::vector<std::string>{"VARNOCCTRL_PLUGIN EXTERNAL_MODE_CHANGE 0"});
    EXPECT_EQ(g_hostMode, 1);

    EXPECT_EQ(Send(VARN_CMD_CHANGE_MODE, 3), 1);
    EXPECT_EQ(daemon->Snapshot().active, kPowerSaver);
    EXPECT_EQ(Send(VARN_CMD_CHANGE_MODE, 9), 0);
    clock.Advance(CModeControl::kReportDelayMs);
    EXPECT_EQ(g_hostMode, 3);  // the host asked again and got the truth
    EXPECT_EQ(Send("NO_SUCH_COMMAND", 1), 0);
}

TEST_F(ModePluginTest, TheDocumentSaysWhatEachKeyDoesAndSurvivesHostileProfileNames)
{
    std::string text = pluginkit::Document(extend);
    EXPECT_NE(text.find("<ABOUT>modes not connected to the system</ABOUT>"), std::string::npos);
    EXPECT_NE(text.find("<ITEM NAME=\"MODE_TURBO\"><TEXT>Turbo: performance profile (modes not connected"),
              std::string::npos)
        << text;

    daemon->Appear(kBalanced, {kPowerSaver, kBalanced, "<b>&\"evil\x01\xff"});
    daemon->SetDegraded("lap-detected");
    text = pluginkit::Document(extend);
    EXPECT_NE(text.find("Turbo: balanced profile (this machine offers no performance profile)"), std::string::npos);
    EXPECT_NE(text.find("<ABOUT>modes follow power profiles</ABOUT>"), std::string::npos);
    daemon->SetActive("<b>&\"evil\x01\xff");
    text = pluginkit::Document(extend);
    xmlDocPtr parsed = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr, XML_PARSE_NONET);
    EXPECT_NE(parsed, nullptr) << text;
    xmlFreeDoc(parsed);
    // The host writes values into the face as markup: the name must not
    // become any.
    EXPECT_EQ(text.find("&lt;b&gt;"), std::string::npos) << text;
    EXPECT_NE(text.find("\u2039b\u203A\uFF06"), std::string::npos) << text;
}

TEST_F(ModePluginTest, ThePageChoosesUserProfilesAndCommitsOnlyOnApplyOrOK)
{
    daemon->Appear(kBalanced, {kPowerSaver, kBalanced});
    Send(VARN_CMD_CHANGE_MODE, 4);  // User 1, balanced
    auto* dialog = pluginkit::Query<IVARNDialog>(extend, VARN_IID_DIALOG);
    ASSERT_NE(dialog->vtbl->CreatePage(dialog, &pages), nullptr);
    EXPECT_EQ(pages.view.choices[0], (std::vector<std::string>{kPowerSaver, kBalanced}));
    EXPECT_EQ(pages.view.selections[0], 1);
    EXPECT_NE(pages.view.status.find("offers no performance profile"), std::string::npos);

    pages.model->ChooseUserProfile(0, 0);
    EXPECT_EQ(g_events.back(), "VARNOCCTRL_PLUGIN DLG_CHANGED 0");
    EXPECT_EQ(StoredUser1(), "");
    EXPECT_TRUE(daemon->requests.empty());
    EXPECT_EQ(dialog->vtbl->OnApply(dialog), 1);
    EXPECT_EQ(StoredUser1(), kPowerSaver);
    EXPECT_EQ(daemon->requests, std::vector<std::string>{kPowerSaver});  // User 1 is in force

    pages.model->ChooseUserProfile(0, 1);
    EXPECT_EQ(dialog->vtbl->OnCancel(dialog), 1);  // the dialog's reference given back
    EXPECT_EQ(StoredUser1(), kPowerSaver);
}

}  // namespace
}  // namespace modes
