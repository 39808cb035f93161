// What every plug-in builds on (plugin_api/kit): unit conversions for pages,
// the host's stored unit, the objects' interface offers and the document
// written into the host's buffer. The query and counting rules are held to
// through the plug-ins that derive from the object (ZEFAN's tests).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/RegistryAccess.h"
#include "common/RegistryHives.h"
#include "plugin_api/kit/HostCallback.h"
#include "plugin_api/kit/HostTemperatureUnit.h"
#include "plugin_api/kit/PluginObject.h"
#include "plugin_api/kit/TemperatureUnits.h"

namespace pluginkit {
namespace {

TEST(TemperatureUnitsTest, ShownFahrenheitTruncates)
{
    EXPECT_EQ(TargetCelsiusToFahrenheit(55), 131);
    EXPECT_EQ(TargetCelsiusToFahrenheit(41), 105);  // 105.8
    EXPECT_EQ(TargetCelsiusToFahrenheit(40), 104);
    EXPECT_EQ(TargetCelsiusToFahrenheit(70), 158);
    EXPECT_EQ(TargetCelsiusToFahrenheit(30), 86);
    EXPECT_EQ(TargetCelsiusToFahrenheit(50), 122);
    EXPECT_EQ(TargetCelsiusToFahrenheit(-20), -4);
    EXPECT_EQ(ToleranceCelsiusToFahrenheit(3), 5);  // 5.4
    EXPECT_EQ(ToleranceCelsiusToFahrenheit(5), 9);
    EXPECT_EQ(ToleranceCelsiusToFahrenheit(15), 27);
}

TEST(TemperatureUnitsTest, EnteredFahrenheitRoundsToNearestDegree)
{
    EXPECT_EQ(TargetFahrenheitToCelsius(131), 55);
    EXPECT_EQ(TargetFahrenheitToCelsius(105), 41);  // 40.56, truncation gave 40
    EXPECT_EQ(TargetFahrenheitToCelsius(104), 40);
    EXPECT_EQ(TargetFahrenheitToCelsius(106), 41);  // 41.11
    EXPECT_EQ(TargetFahrenheitToCelsius(0), -18);   // -17.78
    EXPECT_EQ(ToleranceFahrenheitToCelsius(5), 3);  // 2.78, truncation gave 2
    EXPECT_EQ(ToleranceFahrenheitToCelsius(9), 5);
    EXPECT_EQ(ToleranceFahrenheitToCelsius(7), 4);  // 3.89
}

TEST(TemperatureUnitsTest, EveryCelsiusValueRoundTrips)
{
    for (int celsius = -40; celsius <= 127; ++celsius) {
        EXPECT_EQ(TargetFahrenheitToCelsius(TargetCelsiusToFahrenheit(celsius)), celsius);
    }
    for (int celsius = 0; celsius <= 15; ++celsius) {
        EXPECT_EQ(ToleranceFahrenheitToCelsius(ToleranceCelsiusToFahrenheit(celsius)), celsius);
    }
}

TEST(HostTemperatureUnitTest, OnlyTheTextOneMeansFahrenheit)
{
    CMemoryRegistryHives hives;
    CRegistryAccess registry(hives, CRegistryAccess::Edition::Plugin);
    EXPECT_TRUE(ReadPageCelsiusFlag(registry));  // missing value
    ASSERT_TRUE(registry.SetString(kHostSettingsKey, kTemperatureUnitValue, "1"));
    EXPECT_FALSE(ReadPageCelsiusFlag(registry));
    ASSERT_TRUE(registry.SetString(kHostSettingsKey, kTemperatureUnitValue, "0"));
    EXPECT_TRUE(ReadPageCelsiusFlag(registry));
    ASSERT_TRUE(registry.SetString(kHostSettingsKey, kTemperatureUnitValue, "11"));
    EXPECT_TRUE(ReadPageCelsiusFlag(registry));
}

class CountingObject : public CPluginObject {
public:
    CountingObject(std::string id, Offers offers, int& alive) : CPluginObject(std::move(id), offers), alive_(alive)
    {
        ++alive_;
    }
    ~CountingObject() override { --alive_; }

private:
    int& alive_;
};

TEST(PluginObjectTest, AnInterfaceNotOfferedIsNotFoundAndCountsNothing)
{
    int alive = 0;
    void* base = CreatePluginObject(VARN_IID_PLUGIN, [&] {
        return std::make_unique<CountingObject>("NOPAGE_PLUGIN", CPluginObject::Offers{true, false}, alive);
    });
    ASSERT_NE(base, nullptr);
    auto* plugin = static_cast<IVARNPlugin*>(base);
    void* out = plugin;
    EXPECT_EQ(plugin->vtbl->QueryInterface(plugin, VARN_IID_DIALOG, &out), VARN_QI_NOT_FOUND);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(plugin->vtbl->QueryInterface(plugin, VARN_IID_INFO, &out), VARN_QI_FOUND);
    EXPECT_EQ(plugin->vtbl->Release(static_cast<IVARNPlugin*>(out)), 1);
    EXPECT_EQ(plugin->vtbl->Release(plugin), 0);
    EXPECT_EQ(alive, 0);
}

TEST(PluginObjectTest, AFailedBuildOrAnUnknownNameLeavesNoObject)
{
    int alive = 0;
    EXPECT_EQ(CreatePluginObject("IVARNSomething",
                                 [&] { return std::make_unique<CountingObject>("A_PLUGIN", CPluginObject::Offers{}, alive); }),
              nullptr);
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(CreatePluginObject(VARN_IID_PLUGIN,
                                 []() -> std::unique_ptr<CPluginObject> { throw std::runtime_error("no"); }),
              nullptr);
}

TEST(PluginObjectTest, ANameLongerThanTheHostsBufferIsCutToFitIt)
{
    int alive = 0;
    CountingObject object(std::string(80, 'X'), {}, alive);
    std::vector<char> buffer(VARN_NAME_BUFFER_SIZE + 16, '#');
    object.GetName(buffer.data());
    EXPECT_EQ(std::strlen(buffer.data()), VARN_NAME_BUFFER_SIZE - 1u);
    EXPECT_EQ(buffer[VARN_NAME_BUFFER_SIZE], '#');
}

TEST(PluginObjectTest, ADocumentTooLargeForTheBufferBecomesAnEmptyOne)
{
    std::vector<char> buffer(VARN_DATA_BUFFER_SIZE, '#');
    const std::string fits(VARN_DATA_BUFFER_SIZE - 1, 'a');
    EXPECT_TRUE(WriteDocument(fits, buffer.data()));
    EXPECT_EQ(buffer.back(), '\0');
    EXPECT_FALSE(WriteDocument(fits + "a", buffer.data()));
    EXPECT_STREQ(buffer.data(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<VARN_PLUGIN></VARN_PLUGIN>");
}

std::vector<std::string> g_events;

int32_t RecordEvent(const char* sender, const char* event, int32_t, int32_t value, int32_t)
{
    g_events.push_back(std::string(sender) + " " + event + " " + std::to_string(value));
    return 0;
}

TEST(HostCallbackTest, EventsReachOnlyARegisteredFunction)
{
    g_events.clear();
    SetHostCallback(nullptr);
    EXPECT_FALSE(NotifyHost("A_PLUGIN", VARN_EVT_DLG_CHANGED, 1));
    SetHostCallback(RecordEvent);
    EXPECT_TRUE(NotifyHost("A_PLUGIN", VARN_EVT_DLG_CHANGED, 1));
    SetHostCallback(nullptr);
    EXPECT_EQ(g_events, std::vector<std::string>{"A_PLUGIN DLG_CHANGED 1"});
}

}  // namespace
}  // namespace pluginkit
