// libvarnio.so as the plug-in links it: the two exports over the default
// (simulated) backend.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "TestDoubles.h"
#include "hwmon/ChipAccessor.h"
#include "hwmon/FanController.h"
#include "hwmon/Varnio.h"
#include "hwmon/linux/VarnioPort.h"

namespace hwmon::test {
namespace {

TEST(VarnioLibraryTest, ExportsReachTheSimulatedChip)
{
    ASSERT_EQ(OutPortB(0x295, 0x4E), 1);
    ASSERT_EQ(OutPortB(0x296, 0x80), 1);
    ASSERT_EQ(OutPortB(0x295, 0x58), 1);
    unsigned char id = 0;
    ASSERT_EQ(InPortB(0x296, &id), 1);
    EXPECT_EQ(id, 0xA1);
    EXPECT_TRUE(std::filesystem::exists(std::string(std::getenv("VELMAR_REGISTRY_DIR")) + "/varnio-sim.state"));
}

TEST(VarnioLibraryTest, RefusesEveryOtherPortAndNullBuffers)
{
    unsigned char value = 0x3C;
    for (const int port : {0, 0x2E, 0x80, 0x294, 0x297, 0x395, -0x295}) {
        EXPECT_EQ(OutPortB(port, 0x55), 0) << port;
        EXPECT_EQ(InPortB(port, &value), 0) << port;
    }
    EXPECT_EQ(value, 0x3C);
    EXPECT_EQ(InPortB(0x296, nullptr), 0);
}

TEST(VarnioLibraryTest, ControllerThroughTheLibrary)
{
    CVarnioPort port;
    CFakeProcessorCount processors(1);
    FanItemRecord item;
    item.itemType = 3;
    item.pinName = item.fanCtrlPin = "CPUFANIN1";
    item.fanOutputMode = 2;
    CFanController fan(item, port, processors);
    ASSERT_TRUE(fan.SetTargetTemp(61));
    ASSERT_TRUE(fan.SetEnable(false));
    EXPECT_EQ(fan.GetCurrentDuty(), 100);
    CChipAccessor chip(port);
    std::uint8_t target = 0;
    ASSERT_EQ(chip.ReadRegister(0x63, target), 1);
    EXPECT_EQ(target, 61);
}

// Velmar's plug-in and hwmonctl lock one claim file; here two ports in one
// process stand for them.
TEST(VarnioLibraryTest, PairClaimedElsewhereFailsTheOperationAndWritesNothing)
{
    EXPECT_EQ(ConfiguredClaimFile(), std::string(std::getenv("VELMAR_REGISTRY_DIR")) + "/varnio-sim.state.claim");
    const std::string claimFile = std::string(std::getenv("VELMAR_REGISTRY_DIR")) + "/test.claim";
    CVarnioPort other(claimFile);
    CVarnioPort port(claimFile, std::chrono::milliseconds(20));
    CFakeProcessorCount processors(1);
    FanItemRecord item;
    item.itemType = 3;
    item.pinName = item.fanCtrlPin = "CPUFANIN0";
    CFanController fan(item, port, processors);
    ASSERT_TRUE(fan.SetTargetTemp(50));

    other.Claim();
    other.Claim();  // nested: the pair stays claimed until the outer release
    other.Release();
    EXPECT_FALSE(fan.SetTargetTemp(70));
    EXPECT_EQ(fan.GetTargetTemp(), 50);
    EXPECT_EQ(fan.GetCurrentDuty(), -1);
    CChipAccessor chip(other);
    std::uint8_t target = 0;
    ASSERT_EQ(chip.ReadRegister(0x06, target), 1);
    EXPECT_EQ(target, 50);
    other.Release();

    EXPECT_TRUE(fan.SetTargetTemp(70));
    ASSERT_EQ(chip.ReadRegister(0x06, target), 1);
    EXPECT_EQ(target, 70);
}

}  // namespace
}  // namespace hwmon::test
