// The reference temperature selector's field width by chip id.
#include <gtest/gtest.h>

#include "TestDoubles.h"
#include "hwmon/ReferenceTemperature.h"
#include "hwmon/varnio/SimulatedChip.h"

namespace hwmon::test {
namespace {

TEST(ReferenceTemperatureTest, ReadUsesTheFieldOfEachChipId)
{
    CSimulatedChip ehf(0xA1);
    ehf.SetRegister(0, 0x4A, 0x9F);  // bits 7-6 = 2
    int selector = -1;
    EXPECT_EQ(ReadReferenceTemperatureSelector(ehf, selector), 1);
    EXPECT_EQ(selector, 2);

    CSimulatedChip dhg(0xC1);
    dhg.SetRegister(0, 0x4A, 0x3F);  // bits 7-5 = 1
    EXPECT_EQ(ReadReferenceTemperatureSelector(dhg, selector), 1);
    EXPECT_EQ(selector, 1);
}

TEST(ReferenceTemperatureTest, WriteKeepsTheLowerBits)
{
    CSimulatedChip ehf(0xA1);
    ehf.SetRegister(0, 0x4A, 0xFF);
    // Read, check and write back are one claim: nobody changes the
    // register or the bank in between.
    CRecordingPort port(ehf);
    EXPECT_TRUE(WriteReferenceTemperatureSelector(port, 1));
    EXPECT_EQ(ehf.Register(0, 0x4A), 0x7F);
    EXPECT_EQ(port.outerClaims, 1);
    EXPECT_EQ(port.unclaimedOps, 0);

    CSimulatedChip dhg(0xC1);
    dhg.SetRegister(0, 0x4A, 0xFF);
    EXPECT_TRUE(WriteReferenceTemperatureSelector(dhg, 2));
    EXPECT_EQ(dhg.Register(0, 0x4A), 0x5F);
}

TEST(ReferenceTemperatureTest, UnknownChipOrOversizedSelectorWritesNothing)
{
    CSimulatedChip other(0x88);
    other.SetRegister(0, 0x4A, 0x41);
    CRecordingPort port(other);
    int selector = 7;
    EXPECT_EQ(ReadReferenceTemperatureSelector(port, selector), 0);
    EXPECT_EQ(selector, 7);
    port.Clear();
    EXPECT_FALSE(WriteReferenceTemperatureSelector(port, 1));
    EXPECT_TRUE(port.DataWritesTo(0x4A).empty());

    CSimulatedChip ehf(0xA1);
    CRecordingPort ehfPort(ehf);
    EXPECT_FALSE(WriteReferenceTemperatureSelector(ehfPort, 4));
    EXPECT_FALSE(WriteReferenceTemperatureSelector(ehfPort, -1));
    EXPECT_TRUE(ehfPort.DataWritesTo(0x4A).empty());
    EXPECT_TRUE(WriteReferenceTemperatureSelector(ehfPort, 3));
}

TEST(ReferenceTemperatureTest, PortFailureIsNoSuccess)
{
    CSimulatedChip chip(0xA1);
    chip.FailNth(CSimulatedChip::Fault::DataWrite, 5);  // the 0x4A write itself
    EXPECT_FALSE(WriteReferenceTemperatureSelector(chip, 2));
    EXPECT_EQ(chip.Register(0, 0x4A), 0x01);
    chip.FailNth(CSimulatedChip::Fault::DataRead, 2);
    int selector = 5;
    EXPECT_EQ(ReadReferenceTemperatureSelector(chip, selector), -8);
    EXPECT_EQ(selector, 5);
}

}  // namespace
}  // namespace hwmon::test
