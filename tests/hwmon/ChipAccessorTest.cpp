// The index/data protocol, bank selection and chip identification as seen on
// the ports.
#include <gtest/gtest.h>

#include "TestDoubles.h"
#include "hwmon/ChipAccessor.h"
#include "hwmon/ChipIdentity.h"
#include "hwmon/ChipResult.h"
#include "hwmon/varnio/SimulatedChip.h"

namespace hwmon::test {
namespace {

using Fault = CSimulatedChip::Fault;

class ChipAccessorTest : public ::testing::Test {
protected:
    CSimulatedChip chip;
    CRecordingPort port{chip};
};

TEST_F(ChipAccessorTest, PrimitivesWriteTheIndexThenUseTheDataPort)
{
    CChipAccessor accessor(port);
    port.Clear();
    EXPECT_EQ(accessor.WriteRegister(0x05, 0x2A), 1);
    std::uint8_t value = 0;
    EXPECT_EQ(accessor.ReadRegister(0x05, value), 1);
    EXPECT_EQ(value, 0x2A);
    const std::vector<PortOp> expected = {
        {PortOp::Out, 0x295, 0x05, 1}, {PortOp::Out, 0x296, 0x2A, 1},
        {PortOp::Out, 0x295, 0x05, 1}, {PortOp::In, 0x296, 0x2A, 1},
    };
    EXPECT_EQ(port.ops, expected);
    EXPECT_EQ(chip.Register(0, 0x05), 0x2A);
}

TEST_F(ChipAccessorTest, BankSelectionKeepsTheUpperBits)
{
    CChipAccessor accessor(port);  // power-on 0x4E is 0x80
    port.Clear();
    EXPECT_EQ(accessor.SelectBank(5), 1);
    EXPECT_EQ(port.DataWritesTo(0x4E), std::vector<int>{0x85});
    EXPECT_EQ(accessor.SelectBank(0), 1);
    EXPECT_EQ(port.DataWritesTo(0x4E), (std::vector<int>{0x85, 0x80}));
    chip.SetRegister(0, 0x4E, 0xFB);
    EXPECT_EQ(accessor.SelectBank(12), 1);  // only bits 2-0 of the number count
    EXPECT_EQ(chip.Register(0, 0x4E), 0xFC);
}

TEST_F(ChipAccessorTest, CreatingAnAccessorSelectsBankZero)
{
    chip.SetRegister(0, 0x4E, 0x82);
    CChipAccessor accessor(port);
    EXPECT_EQ(accessor.InitialBankResult(), 1);
    EXPECT_EQ(chip.Register(0, 0x4E), 0x80);
}

TEST_F(ChipAccessorTest, FailingIndexWriteNeverTouchesTheDataPort)
{
    CChipAccessor accessor(port);
    port.Clear();
    chip.FailNth(Fault::IndexWrite, 1);
    std::uint8_t value = 0x77;
    EXPECT_EQ(accessor.ReadRegister(0x05, value), kPortWriteFailed);
    EXPECT_EQ(value, 0x77);
    chip.FailNth(Fault::IndexWrite, 1);
    EXPECT_EQ(accessor.WriteRegister(0x05, 1), kPortWriteFailed);
    for (const auto& op : port.ops) {
        EXPECT_EQ(op.port, kIndexPort);
    }
    EXPECT_EQ(port.ops.size(), 2u);
}

TEST_F(ChipAccessorTest, FailingDataAccessesGiveTheirCodes)
{
    CChipAccessor accessor(port);
    chip.FailNth(Fault::DataRead, 1);
    std::uint8_t value = 0x77;
    EXPECT_EQ(accessor.ReadRegister(0x05, value), kDataReadFailed);
    EXPECT_EQ(value, 0x77);  // the caller's value stays as it was
    chip.FailNth(Fault::DataWrite, 1);
    EXPECT_EQ(accessor.WriteRegister(0x05, 0x11), kPortWriteFailed);
    EXPECT_NE(chip.Register(0, 0x05), 0x11);
}

TEST_F(ChipAccessorTest, FailedReadModifyWriteLeavesTheRegisterAndBankAlone)
{
    CChipAccessor accessor(port);
    chip.SetRegister(0, 0x07, 0xA3);
    chip.FailNth(Fault::DataWrite, 1);
    EXPECT_EQ(accessor.UpdateRegister(0x07, 0x0F, 0x05), kPortWriteFailed);
    EXPECT_EQ(chip.Register(0, 0x07), 0xA3);
    // A failure after the bank change leaves that bank selected.
    EXPECT_EQ(accessor.SelectBank(5), 1);
    chip.FailNth(Fault::DataRead, 1);
    std::uint8_t id = 0;
    EXPECT_EQ(accessor.ReadChipId(id), kDataReadFailed);
    EXPECT_EQ(chip.Register(0, 0x4E) & 7, 5);
}

TEST_F(ChipAccessorTest, ChipIdComesFromBankZero)
{
    CChipAccessor accessor(port);
    accessor.SelectBank(2);
    std::uint8_t id = 0;
    EXPECT_EQ(accessor.ReadChipId(id), 1);
    EXPECT_EQ(id, 0xA1);
    EXPECT_EQ(chip.Register(0, 0x4E) & 7, 0);
}

TEST(ChipIdentityTest, VendorRegisterFollowsBitSevenOfBankSelect)
{
    for (const std::uint8_t chipId : {std::uint8_t{0xA1}, std::uint8_t{0xC1}}) {
        CSimulatedChip chip(chipId);
        CChipAccessor accessor(chip);
        ChipIdentity identity;
        ASSERT_EQ(IdentifyChip(accessor, identity), 1);
        EXPECT_EQ(identity.vendorId, 0x5C);
        EXPECT_TRUE(identity.Recognised());
        chip.SetRegister(0, 0x4E, 0x00);
        ASSERT_EQ(IdentifyChip(accessor, identity), 1);
        EXPECT_EQ(identity.vendorId, 0xA3);
        EXPECT_TRUE(identity.Recognised());
        EXPECT_EQ(identity.chipId, chipId);
    }
}

TEST(ChipIdentityTest, UnknownChipIdIsNotRecognised)
{
    CSimulatedChip chip(0x42);
    CChipAccessor accessor(chip);
    ChipIdentity identity;
    ASSERT_EQ(IdentifyChip(accessor, identity), 1);
    EXPECT_FALSE(identity.Recognised());
    EXPECT_NE(DescribeIdentity(identity).find("0x42"), std::string::npos);
}

}  // namespace
}  // namespace hwmon::test
