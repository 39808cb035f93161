// Loading and unloading through the real dynamic loader, observed by the
// recording plug-ins' journal.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "DlLoader.h"
#include "HostEventCallback.h"
#include "MemoryDynamicLoader.h"
#include "PluginCalls.h"
#include "PluginLoader.h"
#include "RecordingMessageBox.h"
#include "host_test_support.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr VARN_VALUE kMainWindow = 0x5150;

class PluginLoaderTest : public HostFrameworkTest {
protected:
    bool Load() {
        PluginLoadContext context{kMainWindow, &currentMode_, HostPluginEventCallback};
        return loader_.LoadAll(plugins_, context);
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (IVARNPlugin* plugin : plugins_.Plugins()) names.push_back(plugin_calls::Name(plugin));
        return names;
    }
    void TearDown() override {
        loader_.UnloadAll(plugins_);
        HostFrameworkTest::TearDown();
    }

    CDlLoader dl_;
    CSonameVersionReader versions_;
    CRecordingMessageBox messages_;
    CPluginLoader loader_{dl_, versions_, messages_, &hives_};
    CLoadedPlugins plugins_;
    int32_t currentMode_ = 6;
};

TEST_F(PluginLoaderTest, OrdinaryPluginGetsUnitAndCallbackAndKeepsOneReference) {
    SetUserValue("Temperature", "1");
    ListPlugins({RecordingPluginPath("ZETA_PLUGIN")});
    ASSERT_TRUE(Load());
    EXPECT_THAT(JournalOf("ZETA_PLUGIN"),
                ElementsAre("GetObject IVARNPlugin", "QueryInterface IVARNPlugin -> 1", "GetName",
                            "QueryInterface IVARNExtend -> 2", "SendCommand SET_TEMPERATURE_DISP 1 0",
                            "SetCallback 0 set", "Release -> 1"));
    EXPECT_THAT(Names(), ElementsAre("ZETA_PLUGIN"));
    EXPECT_EQ(plugins_.Libraries().size(), 1u);
    EXPECT_EQ(currentMode_, 6) << "only the mode-control plug-in writes the mode";
    EXPECT_THAT(messages_.shown, IsEmpty());
}

TEST_F(PluginLoaderTest, TemperatureOtherThanOneOrZeroSendsCelsius) {
    for (const char* stored : {"0", "2", "", "TRUE"}) {
        SetUserValue("Temperature", stored);
        ListPlugins({RecordingPluginPath("ZETA_PLUGIN")});
    }
    ASSERT_TRUE(Load());
    int celsius = 0;
    for (const std::string& line : JournalOf("ZETA_PLUGIN"))
        if (line.starts_with("SendCommand SET_TEMPERATURE_DISP")) {
            EXPECT_EQ(line, "SendCommand SET_TEMPERATURE_DISP 0 0");
            ++celsius;
        }
    EXPECT_EQ(celsius, 4);
}

TEST_F(PluginLoaderTest, LoadOrderIsTheKeysValueOrderAndDuplicatesLoadTwice) {
    ListPlugins({RecordingPluginPath("OMEGA_PLUGIN"), RecordingPluginPath("ZETA_PLUGIN"),
                 RecordingPluginPath("OMEGA_PLUGIN")});
    ASSERT_TRUE(Load());
    EXPECT_THAT(Names(), ElementsAre("OMEGA_PLUGIN", "ZETA_PLUGIN", "OMEGA_PLUGIN"));
    EXPECT_EQ(plugins_.Libraries().size(), 3u);
    EXPECT_NE(plugins_.Plugins()[0], plugins_.Plugins()[2]) << "each load creates its own object";
    EXPECT_EQ(plugins_.FindByName("OMEGA_PLUGIN"), plugins_.Plugins()[0]) << "first match wins";
    EXPECT_EQ(plugins_.FindByName("omega_plugin"), nullptr);
    EXPECT_EQ(plugins_.First(), plugins_.Plugins()[0]);
    EXPECT_THAT(plugins_.Entries(), ElementsAre(PluginEntry{"libOMEGA_PLUGIN.so", "0,0,0,0"},
                                                PluginEntry{"libZETA_PLUGIN.so", "0,0,0,0"},
                                                PluginEntry{"libOMEGA_PLUGIN.so", "0,0,0,0"}));
}

TEST_F(PluginLoaderTest, PageCommandReachesEveryPluginWithThatIdentifier) {
    ListPlugins({RecordingPluginPath("OMEGA_PLUGIN"), RecordingPluginPath("ZETA_PLUGIN"),
                 RecordingPluginPath("OMEGA_PLUGIN")});
    ASSERT_TRUE(Load());
    ClearJournal();
    EXPECT_EQ(plugins_.SendToEveryPluginNamed("OMEGA_PLUGIN", "CHANGE_MODE", 2, 0), 2);
    EXPECT_EQ(plugins_.SendToEveryPluginNamed("NOBODY_PLUGIN", "CHANGE_MODE", 2, 0), 0);
    std::vector<std::string> commands;
    for (const std::string& line : Journal())
        if (line.find("SendCommand") != std::string::npos) commands.push_back(line);
    EXPECT_THAT(commands, ElementsAre("OMEGA_PLUGIN SendCommand CHANGE_MODE 2 0",
                                      "OMEGA_PLUGIN SendCommand CHANGE_MODE 2 0"));
}

TEST_F(PluginLoaderTest, MissingOrEmptyKeyLoadsNothingAndSucceeds) {
    ASSERT_TRUE(Load());
    EXPECT_THAT(plugins_.Plugins(), IsEmpty());
    CRegistryAccess machine(hives_);
    machine.SetRootKey(HKEY_LOCAL_MACHINE);
    machine.SetString("SOFTWARE\\VARN\\APM", "x", "");
    machine.DeleteValue("SOFTWARE\\VARN\\APM", "x");
    ASSERT_TRUE(Load());
    EXPECT_THAT(plugins_.Plugins(), IsEmpty());
    EXPECT_THAT(plugins_.Entries(), IsEmpty());
}

TEST_F(PluginLoaderTest, UnloadableValuesAreSkippedSilently) {
    const std::string text = folder_ + "/not-a-library.so";
    std::ofstream(text) << "plain text";
    ListPlugins({folder_ + "/missing.so", text, "", RecordingPluginPath("NO_ENTRY"),
                 RecordingPluginPath("ZETA_PLUGIN")});
    ASSERT_TRUE(Load());
    EXPECT_THAT(Names(), ElementsAre("ZETA_PLUGIN"));
    EXPECT_THAT(plugins_.Entries(), ElementsAre(PluginEntry{"libZETA_PLUGIN.so", "0,0,0,0"}))
        << "a library without the entry function is not listed";
    EXPECT_THAT(messages_.shown, IsEmpty());
}

TEST_F(PluginLoaderTest, MissingBaseInterfaceIsReportedUnloadedAndStillListedForAbout) {
    Configure("OMEGA_PLUGIN", "NO_BASE", "1");
    ListPlugins({RecordingPluginPath("OMEGA_PLUGIN"), RecordingPluginPath("ZETA_PLUGIN")});
    ASSERT_TRUE(Load());
    EXPECT_THAT(messages_.shown, ElementsAre("Base Interface Not Found"));
    EXPECT_THAT(Names(), ElementsAre("ZETA_PLUGIN"));
    EXPECT_EQ(plugins_.Entries().size(), 2u);
    EXPECT_EQ(plugins_.Entries()[0].fileName, "libOMEGA_PLUGIN.so");
    EXPECT_THAT(JournalOf("OMEGA_PLUGIN"), ElementsAre("GetObject IVARNPlugin -> null", "unload"));
}

TEST_F(PluginLoaderTest, PluginWithoutExtendStaysLoadedWithoutUnitOrCallback) {
    Configure("ZETA_PLUGIN", "NO_EXTEND", "1");
    ListPlugins({RecordingPluginPath("ZETA_PLUGIN")});
    ASSERT_TRUE(Load());
    EXPECT_THAT(Names(), ElementsAre("ZETA_PLUGIN"));
    EXPECT_THAT(JournalOf("ZETA_PLUGIN"), ElementsAre("GetObject IVARNPlugin", "QueryInterface IVARNPlugin -> 1",
                                                      "GetName", "QueryInterface IVARNExtend -> none", "GetName"))
        << "(the second GetName is this test's own Names())";
}

TEST_F(PluginLoaderTest, InitialisedPluginsAreAskedToRunWithTheMainWindow) {
    ListPlugins({RecordingPluginPath("VOICE_PLUGIN"), RecordingPluginPath("COURIER_PLUGIN"),
                 RecordingPluginPath("CHAT_PLUGIN"), RecordingPluginPath("KAVOCLOCK_PLUGIN")});
    ASSERT_TRUE(Load());
    EXPECT_THAT(Names(), ElementsAre("VOICE_PLUGIN", "COURIER_PLUGIN", "CHAT_PLUGIN", "KAVOCLOCK_PLUGIN"));
    for (const char* id : {"VOICE_PLUGIN", "COURIER_PLUGIN", "CHAT_PLUGIN", "KAVOCLOCK_PLUGIN"})
        EXPECT_THAT(JournalOf(id),
                    ElementsAre("GetObject IVARNPlugin", "QueryInterface IVARNPlugin -> 1", "GetName",
                                "QueryInterface IVARNExtend -> 2",
                                "SendCommand INITIAL_PLUGIN " + std::to_string(kMainWindow) + " 0",
                                "QueryInterface IVARNExtend -> 3", "SendCommand SET_TEMPERATURE_DISP 0 0",
                                "SetCallback 0 set", "Release -> 2", "GetName"))
            << id;
    for (int slot : {kVoiceSlot, kCourierSlot, kChatSlot, kClockSlot}) EXPECT_NE(plugins_.Special(slot), nullptr);
}

TEST_F(PluginLoaderTest, RefusedInitialisationDropsThePluginAndGivesItsReferencesBack) {
    Configure("CHAT_PLUGIN", "INITIAL", "0");
    ListPlugins({RecordingPluginPath("CHAT_PLUGIN"), RecordingPluginPath("ZETA_PLUGIN")});
    ASSERT_TRUE(Load());
    EXPECT_THAT(Names(), ElementsAre("ZETA_PLUGIN"));
    EXPECT_EQ(plugins_.Special(kChatSlot), nullptr);
    EXPECT_EQ(plugins_.Entries().size(), 2u) << "the About list keeps it";
    EXPECT_THAT(JournalOf("CHAT_PLUGIN"),
                ElementsAre("GetObject IVARNPlugin", "QueryInterface IVARNPlugin -> 1", "GetName",
                            "QueryInterface IVARNExtend -> 2", "SendCommand INITIAL_PLUGIN " +
                                std::to_string(kMainWindow) + " 0",
                            "Release -> 1", "Release -> 0", "destroyed", "unload"));
}

TEST_F(PluginLoaderTest, ModeControlReportsTheCurrentModeWhileLoading) {
    Configure("VARNOCCTRL_PLUGIN", "MODE", "4");
    ListPlugins({RecordingPluginPath("VARNOCCTRL_PLUGIN"), RecordingPluginPath("VARNAUTOPACE_PLUGIN")});
    ASSERT_TRUE(Load());
    EXPECT_EQ(currentMode_, 4);
    EXPECT_NE(plugins_.ModeControl(), nullptr);
    EXPECT_NE(plugins_.AutoPace(), nullptr);
    EXPECT_THAT(JournalOf("VARNOCCTRL_PLUGIN"),
                ElementsAre("GetObject IVARNPlugin", "QueryInterface IVARNPlugin -> 1", "GetName",
                            "QueryInterface IVARNExtend -> 2", "SendCommand GETCURR_MODE ptr 0",
                            "QueryInterface IVARNExtend -> 3", "SendCommand SET_TEMPERATURE_DISP 0 0",
                            "SetCallback 0 set", "Release -> 2"));
    EXPECT_THAT(JournalOf("VARNAUTOPACE_PLUGIN"),
                ElementsAre("GetObject IVARNPlugin", "QueryInterface IVARNPlugin -> 1", "GetName",
                            "QueryInterface IVARNExtend -> 2", "QueryInterface IVARNExtend -> 3",
                            "SendCommand SET_TEMPERATURE_DISP 0 0", "SetCallback 0 set", "Release -> 2"));
}

TEST_F(PluginLoaderTest, UnloadReleasesMembersThenBasesThenLibrariesInOrder) {
    ListPlugins({RecordingPluginPath("VOICE_PLUGIN"), RecordingPluginPath("VARNOCCTRL_PLUGIN"),
                 RecordingPluginPath("VARNAUTOPACE_PLUGIN"), RecordingPluginPath("ZETA_PLUGIN")});
    ASSERT_TRUE(Load());
    // Extra references the plug-ins may hold on themselves: the loops give
    // them back down to the last one.
    IVARNPlugin* voice = plugin_calls::AsBase(plugins_.Special(kVoiceSlot));
    voice->vtbl->AddRef(voice);
    IVARNPlugin* autoPace = plugin_calls::AsBase(plugins_.AutoPace());
    autoPace->vtbl->AddRef(autoPace);
    autoPace->vtbl->AddRef(autoPace);
    plugins_.SelectViewPluginInfo(plugins_.FindByName("ZETA_PLUGIN"));
    ClearJournal();

    loader_.UnloadAll(plugins_);
    std::vector<std::string> releases;
    for (const std::string& line : Journal())
        if (line.find(" GetName") == std::string::npos) releases.push_back(line);
    EXPECT_THAT(releases,
                ElementsAre("VOICE_PLUGIN Release -> 2", "VOICE_PLUGIN Release -> 1",
                            "VARNOCCTRL_PLUGIN Release -> 1", "VARNAUTOPACE_PLUGIN Release -> 3",
                            "VARNAUTOPACE_PLUGIN Release -> 2", "VARNAUTOPACE_PLUGIN Release -> 1",
                            "ZETA_PLUGIN Release -> 1", "VOICE_PLUGIN Release -> 0", "VOICE_PLUGIN destroyed",
                            "VARNOCCTRL_PLUGIN Release -> 0", "VARNOCCTRL_PLUGIN destroyed",
                            "VARNAUTOPACE_PLUGIN Release -> 0", "VARNAUTOPACE_PLUGIN destroyed",
                            "ZETA_PLUGIN Release -> 0", "ZETA_PLUGIN destroyed", "VOICE_PLUGIN unload",
                            "VARNOCCTRL_PLUGIN unload", "VARNAUTOPACE_PLUGIN unload", "ZETA_PLUGIN unload"));
    EXPECT_THAT(plugins_.Plugins(), IsEmpty());
    EXPECT_EQ(plugins_.ModeControl(), nullptr);
    EXPECT_EQ(plugins_.ViewPluginInfo(), nullptr);

    ClearJournal();
    loader_.UnloadAll(plugins_);
    EXPECT_THAT(Journal(), IsEmpty()) << "a second unload releases nothing twice";
}

TEST_F(PluginLoaderTest, PluginWhoseReleaseNeverDropsCannotHoldTheExit) {
    ListPlugins({RecordingPluginPath("VOICE_PLUGIN"), RecordingPluginPath("ZETA_PLUGIN")});
    ASSERT_TRUE(Load());
    Configure("VOICE_PLUGIN", "RELEASE_REPORTS", "5");
    ClearJournal();
    loader_.UnloadAll(plugins_);
    const std::vector<std::string> voice = JournalOf("VOICE_PLUGIN");
    EXPECT_EQ(std::count(voice.begin(), voice.end(), "Release -> 5"), 4096 + 1) << "bounded, then the base";
    EXPECT_EQ(voice.back(), "unload");
    EXPECT_THAT(JournalOf("ZETA_PLUGIN"), ElementsAre("Release -> 0", "destroyed", "unload"));
}

TEST_F(PluginLoaderTest, SecondModeControlTakesTheMemberAndTheFirstReferenceIsGivenBack) {
    ListPlugins({RecordingPluginPath("VARNOCCTRL_PLUGIN"), RecordingPluginPath("VARNOCCTRL_PLUGIN")});
    ASSERT_TRUE(Load());
    ClearJournal();
    loader_.UnloadAll(plugins_);
    int destroyed = 0;
    for (const std::string& line : JournalOf("VARNOCCTRL_PLUGIN")) destroyed += line == "destroyed";
    EXPECT_EQ(destroyed, 2) << "no object outlives its library";
}

TEST(LibraryVersion, FileNameSuffixGivesFourParts) {
    EXPECT_EQ(CSonameVersionReader::VersionOfFileName("libZEFAN.so.1.0.0.3"), "1,0,0,3");
    EXPECT_EQ(CSonameVersionReader::VersionOfFileName("libZEFAN.so.3.1"), "3,1,0,0");
    EXPECT_EQ(CSonameVersionReader::VersionOfFileName("libZEFAN.so"), "0,0,0,0");
    EXPECT_EQ(CSonameVersionReader::VersionOfFileName("libZEFAN.so.x"), "0,0,0,0");
    EXPECT_EQ(CSonameVersionReader::VersionOfFileName("libZEFAN.so.70000.2"), "4464,2,0,0")
        << "each part is a 16-bit word: 70000 is cut at five digits to its low word";
}

TEST_F(PluginLoaderTest, VersionFollowsTheLinkToTheVersionedFile) {
    const std::string versioned = folder_ + "/libZETA_PLUGIN.so.2.5.0.7";
    std::filesystem::copy_file(RecordingPluginPath("ZETA_PLUGIN"), versioned);
    std::filesystem::create_symlink(versioned, folder_ + "/libZETA_PLUGIN.so");
    ListPlugins({folder_ + "/libZETA_PLUGIN.so"});
    ASSERT_TRUE(Load());
    EXPECT_THAT(plugins_.Entries(), ElementsAre(PluginEntry{"libZETA_PLUGIN.so", "2,5,0,7"}));
}

TEST(PluginLoaderDouble, LibraryIsClosedOnEveryFailurePathAndOnceAtUnload) {
    CMemoryRegistryHives hives;
    CMemoryDynamicLoader dl;
    dl.libraries["/noentry.so"] = {};
    dl.libraries["/nobase.so"].entry = [](const char*) -> void* { return nullptr; };
    CRegistryAccess machine(hives);
    machine.SetRootKey(HKEY_LOCAL_MACHINE);
    machine.SetString("SOFTWARE\\VARN\\APM", "a", "/noentry.so");
    machine.SetString("SOFTWARE\\VARN\\APM", "b", "C:\\Program Files\\nobase.so");
    machine.SetString("SOFTWARE\\VARN\\APM", "c", "/nobase.so");
    CRecordingMessageBox messages;
    CPluginLoader loader(dl, dl, messages, &hives);
    CLoadedPlugins plugins;
    ASSERT_TRUE(loader.LoadAll(plugins, {}));
    EXPECT_EQ(dl.libraries["/noentry.so"].opened, 1);
    EXPECT_EQ(dl.libraries["/noentry.so"].closed, 1);
    EXPECT_EQ(dl.libraries["/nobase.so"].closed, 1);
    EXPECT_THAT(messages.shown, ElementsAre("Base Interface Not Found"));
    EXPECT_EQ(CPluginLoader::LibraryFileName("C:\\Program Files\\nobase.so"), "nobase.so");
    EXPECT_EQ(CPluginLoader::LibraryFileName("/opt/velmar/libZEFAN.so"), "libZEFAN.so");
}

}  // namespace
