// The monitor through the C ABI alone: build/app/VARNEQ.so loaded with
// dlopen as Velmar loads it, the simulated board presented, the simulated
// chip behind libvarnio with its state in this test's private registry
// folder. Its document lists every board item with a number, and when
// hwmonctl makes the simulated processor overheat the plug-in calls
// "HARDWARE_WARNING" 1, and 0 once it has cooled.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDoubleSpinBox>
#include <QWidget>

#include <dlfcn.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "DocumentParts.h"
#include "RegistryAccess.h"
#include "VarnPlugin.h"
#include "hwmon/varnio/BackendSettings.h"
#include "plugin_api/kit/doubles/HostSide.h"

namespace {

std::vector<std::string> g_events;

int32_t HostCallback(const char* sender, const char* event, int32_t, int32_t value, int32_t)
{
    g_events.push_back(std::string(sender) + " " + event + " " + std::to_string(value));
    return 0;
}

// The value sections' items by NAME.
std::map<std::string, monitor::test::DocumentItem> ItemsByName(const std::string& text)
{
    std::map<std::string, monitor::test::DocumentItem> items;
    for (const auto& item : monitor::test::ItemsOf(text)) {
        if (item.section != "HISTORY" && item.section != "MONITOR") {
            items[item.name] = item;
        }
    }
    return items;
}

class MonitorHostTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Nothing here may reach the machine's system bus, should a power-off
        // ever be asked for.
        ::setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/velmar-test-bus", 1);
        static int argc = 1;
        static char name[] = "monitor_host_tests";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance() == nullptr) {
            new QApplication(argc, argv);
        }
        library_ = dlopen(VELMAR_APP_DIR "/VARNEQ.so", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << dlerror();
        getObject_ = reinterpret_cast<PlugIn_GetObjectFn>(dlsym(library_, VARN_ENTRY_NAME));
    }
    static void TearDownTestSuite()
    {
        if (library_ != nullptr) {
            dlclose(library_);
        }
    }

    void SetUp() override
    {
        ASSERT_NE(getObject_, nullptr);
        const std::string folder = std::getenv("VELMAR_REGISTRY_DIR");
        std::filesystem::remove(folder + "/HKEY_CURRENT_USER.reg");
        std::filesystem::remove(folder + "/varnio-sim.state");
        CRegistryAccess machine;
        ASSERT_TRUE(machine.SetRootKey(HKEY_LOCAL_MACHINE));
        ASSERT_TRUE(machine.SetString("SOFTWARE\\VARN\\SystemInfo", "MBModel", "SimulatedBoard"));
        ASSERT_TRUE(machine.SetString(hwmon::kVarnioKey, hwmon::kBackendValue, "simulated"));
        g_events.clear();
    }

    // The host's loading sequence: unit, callback, release the query.
    IVARNExtend* LoadPlugin()
    {
        auto* base = static_cast<IVARNExtend*>(getObject_(VARN_IID_PLUGIN));
        EXPECT_NE(base, nullptr);
        char name[VARN_NAME_BUFFER_SIZE] = {};
        base->vtbl->base.GetName(reinterpret_cast<IVARNPlugin*>(base), name);
        EXPECT_STREQ(name, "VARNEQ_PLUGIN");
        auto* extend = pluginkit::Query<IVARNExtend>(base, VARN_IID_EXTEND);
        extend->vtbl->SendCommand(extend, VARN_CMD_SET_TEMPERATURE_DISP, 0, 0);
        extend->vtbl->SetCallback(extend, 0, HostCallback);
        EXPECT_EQ(pluginkit::Release(extend), 1);
        return base;
    }
    static void Hwmonctl(const std::string& arguments)
    {
        ASSERT_EQ(std::system((VELMAR_APP_DIR "/hwmonctl " + arguments + " > /dev/null").c_str()), 0) << arguments;
    }
    // Runs the host's event loop (the plug-in's timer) and asks for a
    // document now and then, as the host's view does, until check holds.
    template <class Check>
    static bool Until(IVARNExtend* base, Check check, std::chrono::seconds limit)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!check()) {
            if (std::chrono::steady_clock::now() >= end) {
                return false;
            }
            QApplication::processEvents(QEventLoop::AllEvents, 50);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            pluginkit::Document(base);
        }
        return true;
    }
    static bool Heard(const std::string& event)
    {
        return std::find(g_events.begin(), g_events.end(), "VARNEQ_PLUGIN " + event) != g_events.end();
    }

    static inline void* library_ = nullptr;
    static inline PlugIn_GetObjectFn getObject_ = nullptr;
};

TEST_F(MonitorHostTest, TheDocumentListsEveryBoardItemWithItsReading)
{
    IVARNExtend* base = LoadPlugin();
    const auto items = ItemsByName(pluginkit::Document(base));
    const std::map<std::string, std::string> expected = {
        {"VCORE", "VOLTAGE"},        {"V3VCC", "VOLTAGE"},       {"VBAT", "VOLTAGE"},      {"SYSTIN", "TEMPERATURE"},
        {"CPUTIN", "TEMPERATURE"},   {"AUXTIN", "TEMPERATURE"},  {"CPUFANIN0", "FANSPEED"}, {"SYSFANIN", "FANSPEED"},
        {"AUXFANIN0", "FANSPEED"},   {"CPUFANIN1", "FANSPEED"},  {"AUXFANIN1", "FANSPEED"},
    };
    ASSERT_EQ(items.size(), expected.size());
    for (const auto& [name, section] : expected) {
        ASSERT_TRUE(items.contains(name)) << name;
        const auto fields = items.at(name).Fields();
        EXPECT_EQ(items.at(name).section, section);
        std::size_t used = 0;
        const std::string value = fields.at("VALUE");
        ASSERT_FALSE(value.empty()) << name;
        std::stod(value, &used);
        EXPECT_EQ(used, value.size()) << name << " " << value;
        EXPECT_EQ(fields.at("AVAILABILITY"), "3") << name << ": " << fields.at("NOTE");
        EXPECT_FALSE(fields.at("HIGH_LIMIT").empty()) << name;
    }
    EXPECT_EQ(items.at("CPUTIN").Fields().at("HIGH_LIMIT"), "80");  // the chip's own limit
    EXPECT_TRUE(g_events.empty());

    // The page is a Qt widget under the host's dialog, its limits the item's.
    QWidget dialog;
    auto* page = pluginkit::Query<IVARNDialog>(base, VARN_IID_DIALOG);
    auto* widget = static_cast<QWidget*>(page->vtbl->CreatePage(page, &dialog));
    ASSERT_NE(widget, nullptr);
    auto* cpuHigh = widget->findChild<QDoubleSpinBox*>("MonitorHigh4");
    ASSERT_NE(cpuHigh, nullptr);
    EXPECT_DOUBLE_EQ(cpuHigh->value(), 80.0);
    page->vtbl->OnCancel(page);
    EXPECT_EQ(pluginkit::Release(base), 0);
}

TEST_F(MonitorHostTest, AnOverheatingProcessorWarnsTheHostAndItsRecoveryEndsIt)
{
    IVARNExtend* base = LoadPlugin();
    pluginkit::Document(base);
    ASSERT_TRUE(g_events.empty());

    Hwmonctl("--simulate-overheat on");
    EXPECT_TRUE(Until(base, [] { return Heard("HARDWARE_WARNING 1"); }, std::chrono::seconds(30)));
    const auto hot = ItemsByName(pluginkit::Document(base)).at("CPUTIN").Fields();
    EXPECT_EQ(hot.at("AVAILABILITY"), "4");
    EXPECT_EQ(hot.at("STATE"), "high");

    Hwmonctl("--simulate-overheat off");
    EXPECT_TRUE(Until(base, [] { return Heard("HARDWARE_WARNING 0"); }, std::chrono::seconds(60)));
    EXPECT_EQ(ItemsByName(pluginkit::Document(base)).at("CPUTIN").Fields().at("AVAILABILITY"), "3");
    EXPECT_EQ(g_events, (std::vector<std::string>{"VARNEQ_PLUGIN HARDWARE_WARNING 1", "VARNEQ_PLUGIN HARDWARE_WARNING 0"}));
    EXPECT_EQ(pluginkit::Release(base), 0);
}

}  // namespace
