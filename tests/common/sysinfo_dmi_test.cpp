#include "LegacyDmi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

// Builds a 64 KB BIOS area with an entry point and a structure table.
class DmiArea {
public:
    explicit DmiArea(std::size_t size = 0x10000) : bytes(size, 0) {}

    void EntryPoint(std::size_t at, std::uint32_t tableAddress, std::uint16_t count)
    {
        std::memcpy(&bytes[at], "_DMI_", 5);
        for (int i = 0; i < 4; ++i) bytes[at + 8 + i] = static_cast<std::uint8_t>(tableAddress >> (8 * i));
        bytes[at + 12] = static_cast<std::uint8_t>(count);
        bytes[at + 13] = static_cast<std::uint8_t>(count >> 8);
    }

    // Appends a structure at the write position: formatted part (type,
    // length, then fields) and its strings.
    void Structure(std::vector<std::uint8_t> formatted, const std::vector<std::string>& strings)
    {
        for (std::uint8_t b : formatted) bytes[pos++] = b;
        for (const std::string& s : strings) {
            for (char c : s) bytes[pos++] = static_cast<std::uint8_t>(c);
            bytes[pos++] = 0;
        }
        if (strings.empty()) bytes[pos++] = 0;
        bytes[pos++] = 0;
    }

    std::vector<std::uint8_t> bytes;
    std::size_t pos = 0x1000;
};

std::vector<std::uint8_t> Bios(std::uint8_t vendor, std::uint8_t date)
{
    return {0, 18, 0, 0, vendor, 2, 0, 0, date, 0, 0, 0, 0, 0, 0, 0, 0, 0};
}

std::vector<std::uint8_t> Board(std::uint8_t product) { return {2, 8, 0, 0, 1, product, 3, 0}; }

DmiArea TypicalArea()
{
    DmiArea area;
    area.EntryPoint(0x0A20, kLegacyBiosAreaBase + 0x1000, 4);
    area.Structure(Bios(1, 3), {"Award Software", "6.00 PG", "03/15/2006"});
    area.Structure({32, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {});  // boot information: no strings
    area.Structure(Board(2), {"Maker", "KN9 (Ultra)", "1.0"});
    area.Structure({127, 4, 0, 0}, {});
    return area;
}

TEST(LegacyDmi, ReadsBiosAndBoardStrings)
{
    DmiArea area = TypicalArea();
    std::string out;
    ASSERT_TRUE(ScanLegacyDmi(area.bytes, "MBModel", out));
    EXPECT_EQ(out, "KN9 (Ultra)");
    ASSERT_TRUE(ScanLegacyDmi(area.bytes, "BIOSProvider", out));
    EXPECT_EQ(out, "Award Software");
    ASSERT_TRUE(ScanLegacyDmi(area.bytes, "BIOSDate", out));
    EXPECT_EQ(out, "03/15/2006");
}

TEST(LegacyDmi, NoEntryPointLeavesTheOutputAlone)
{
    DmiArea area;
    std::string out = "untouched";
    EXPECT_FALSE(ScanLegacyDmi(area.bytes, "MBModel", out));
    EXPECT_EQ(out, "untouched");
    // An anchor off the 16-byte grid is no entry point.
    std::memcpy(&area.bytes[0x105], "_DMI_", 5);
    EXPECT_FALSE(ScanLegacyDmi(area.bytes, "MBModel", out));
    // Nor one cut off by the end of the area.
    std::vector<std::uint8_t> shortArea(0x1C, 0);
    std::memcpy(&shortArea[0x10], "_DMI_", 5);
    EXPECT_FALSE(ScanLegacyDmi(shortArea, "MBModel", out));
    EXPECT_FALSE(ScanLegacyDmi(std::vector<std::uint8_t>{}, "MBModel", out));
    EXPECT_EQ(out, "untouched");
}

TEST(LegacyDmi, LongStringsAreCutToTheirSlot)
{
    DmiArea area;
    area.EntryPoint(0, kLegacyBiosAreaBase + 0x1000, 1);
    area.Structure(Board(1), {std::string(300, 'B')});
    std::string out;
    ASSERT_TRUE(ScanLegacyDmi(area.bytes, "MBModel", out));
    EXPECT_EQ(out, std::string(127, 'B'));
}

TEST(LegacyDmi, CountsAndAddressesPastTheAreaStopInside)
{
    // The count promises more structures than the area holds.
    DmiArea area = TypicalArea();
    area.EntryPoint(0x0A20, kLegacyBiosAreaBase + 0x1000, 60000);
    std::string out;
    ASSERT_TRUE(ScanLegacyDmi(area.bytes, "MBModel", out));
    EXPECT_EQ(out, "KN9 (Ultra)");

    // A table outside the area, below or above it.
    for (std::uint32_t address : {0x000E0000u, 0x00100000u, 0xFFFFFFF0u}) {
        DmiArea outside;
        outside.EntryPoint(0, address, 5);
        out = "x";
        EXPECT_TRUE(ScanLegacyDmi(outside.bytes, "MBModel", out));
        EXPECT_EQ(out, "");
    }
}

TEST(LegacyDmi, StructuresCutByTheEndOfTheArea)
{
    // A small area whose last structure's strings run off its end.
    DmiArea area(0x1100);
    area.EntryPoint(0, kLegacyBiosAreaBase + 0x1000, 3);
    area.Structure(Bios(1, 0), {"Vendor"});
    std::size_t boardAt = area.pos;
    area.bytes[boardAt] = 2;
    area.bytes[boardAt + 1] = 8;
    area.bytes[boardAt + 5] = 1;
    std::memset(&area.bytes[boardAt + 8], 'Z', area.bytes.size() - boardAt - 8);
    std::string out;
    ASSERT_TRUE(ScanLegacyDmi(area.bytes, "BIOSProvider", out));
    EXPECT_EQ(out, "Vendor");
    ASSERT_TRUE(ScanLegacyDmi(area.bytes, "MBModel", out));
    EXPECT_EQ(out, "");

    // A formatted part longer than what is left, and one too short to be one.
    for (std::uint8_t length : {std::uint8_t{255}, std::uint8_t{1}}) {
        DmiArea broken(0x1010);
        broken.EntryPoint(0, kLegacyBiosAreaBase + 0x1000, 2);
        broken.bytes[0x1000] = 2;
        broken.bytes[0x1001] = length;
        EXPECT_TRUE(ScanLegacyDmi(broken.bytes, "MBModel", out));
        EXPECT_EQ(out, "");
    }
}

TEST(LegacyDmi, StringNumbersStayWithinTheirStructure)
{
    DmiArea area;
    area.EntryPoint(0, kLegacyBiosAreaBase + 0x1000, 2);
    area.Structure(Bios(1, 3), {"Vendor", "Version", "Date"});
    // The board names string 3 but has only one: no product.
    area.Structure(Board(3), {"Only"});
    std::string out;
    ASSERT_TRUE(ScanLegacyDmi(area.bytes, "MBModel", out));
    EXPECT_EQ(out, "");
    // String number 0 means none; fields past the formatted part are none.
    DmiArea zero;
    zero.EntryPoint(0, kLegacyBiosAreaBase + 0x1000, 2);
    zero.Structure(Bios(0, 1), {"Date"});
    zero.Structure({2, 5, 0, 0, 1}, {"Maker"});
    ASSERT_TRUE(ScanLegacyDmi(zero.bytes, "BIOSProvider", out));
    EXPECT_EQ(out, "");
    ASSERT_TRUE(ScanLegacyDmi(zero.bytes, "BIOSDate", out));
    EXPECT_EQ(out, "Date");
    ASSERT_TRUE(ScanLegacyDmi(zero.bytes, "MBModel", out));
    EXPECT_EQ(out, "");
}

TEST(LegacyDmi, GarbageTablesStayInsideTheArea)
{
    std::mt19937 random(20061);
    for (int round = 0; round < 300; ++round) {
        const std::size_t size = 0x40 + random() % 0x2000;
        std::vector<std::uint8_t> area(size);
        for (auto& b : area) b = static_cast<std::uint8_t>(random() % 4 == 0 ? 0 : random());
        std::memcpy(&area[0x10], "_DMI_", 5);
        const std::uint32_t table = kLegacyBiosAreaBase + 0x20 + static_cast<std::uint32_t>(random() % size);
        std::memcpy(&area[0x18], &table, 4);
        LegacyDmiFacts facts;
        ASSERT_TRUE(ScanLegacyDmiArea(area, facts));
        EXPECT_LT(facts.boardProduct.size(), kLegacyDmiStringSlot);
        EXPECT_LT(facts.biosVendor.size(), kLegacyDmiStringSlot);
        EXPECT_LT(facts.biosDate.size(), kLegacyDmiStringSlot);
    }
}

}  // namespace
