#include "MemoryWmiProvider.h"
#include "RecordingMessageBox.h"
#include "WmiQuery.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

namespace {

TEST(WbemErrorName, NamesEveryListedCode)
{
    EXPECT_EQ(CWmiQuery::WbemErrorName(0), "WBEM_NO_ERROR");
    EXPECT_EQ(CWmiQuery::WbemErrorName(1), "WBEM_S_FALSE");
    EXPECT_EQ(CWmiQuery::WbemErrorName(0x40001), "WBEM_S_ALREADY_EXISTS");
    EXPECT_EQ(CWmiQuery::WbemErrorName(0x40002), "WBEM_S_RESET_TO_DEFAULT");
    EXPECT_EQ(CWmiQuery::WbemErrorName(0x40003), "WBEM_S_DIFFERENT");
    EXPECT_EQ(CWmiQuery::WbemErrorName(0x40005), "WBEM_S_NO_MORE_DATA");
    EXPECT_EQ(CWmiQuery::WbemErrorName(0x80041001), "WBEM_E_FAILED");
    EXPECT_EQ(CWmiQuery::WbemErrorName(0x8004100E), "WBEM_E_INVALID_NAMESPACE");
    EXPECT_EQ(CWmiQuery::WbemErrorName(0x80041010), "WBEM_E_INVALID_CLASS");
    EXPECT_EQ(CWmiQuery::WbemErrorName(0x80041019), "WBEM_E_ALREADY_EXISTS");
    EXPECT_EQ(CWmiQuery::WbemErrorName(0x8004102B), "WBEM_E_VALUE_OUT_OF_RANGE");
    EXPECT_EQ(CWmiQuery::WbemErrorName(0x8004102C), "WBEM_E_CANNOT_BE_SINGLETON");

    // Each of the 44 errors has a name of its own.
    std::set<std::string> names;
    for (std::uint32_t code = 0x80041001; code <= 0x8004102C; ++code) {
        std::string name = CWmiQuery::WbemErrorName(code);
        EXPECT_EQ(name.rfind("WBEM_E_", 0), 0u) << std::hex << code;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 44u);
}

TEST(WbemErrorName, OtherCodesAsLowerCaseHex)
{
    EXPECT_EQ(CWmiQuery::WbemErrorName(0x40004), "40004");
    EXPECT_EQ(CWmiQuery::WbemErrorName(0x80041045), "80041045");
    EXPECT_EQ(CWmiQuery::WbemErrorName(0x8004102D), "8004102d");
    EXPECT_EQ(CWmiQuery::WbemErrorName(0x80041000), "80041000");
    EXPECT_EQ(CWmiQuery::WbemErrorName(0xFFFFFFFF), "ffffffff");
    EXPECT_EQ(CWmiQuery::WbemErrorName(2), "2");
}

TEST(VariantToText, FormatsByType)
{
    EXPECT_EQ(CWmiQuery::VariantToText(WmiVariant::Int16(-12)), "-12");
    EXPECT_EQ(CWmiQuery::VariantToText(WmiVariant::Int32(2147483647)), "2147483647");
    EXPECT_EQ(CWmiQuery::VariantToText(WmiVariant::UInt8(255)), "255");
    EXPECT_EQ(CWmiQuery::VariantToText(WmiVariant::Double(1.5)), "    1.5000");
    EXPECT_EQ(CWmiQuery::VariantToText(WmiVariant::Float(-2.25f)), "   -2.2500");
    EXPECT_EQ(CWmiQuery::VariantToText(WmiVariant::Double(123456789.125)), "123456789.1250");
    EXPECT_EQ(CWmiQuery::VariantToText(WmiVariant::Bool(true)), "true");
    EXPECT_EQ(CWmiQuery::VariantToText(WmiVariant::Bool(false)), "false");
    EXPECT_EQ(CWmiQuery::VariantToText(WmiVariant::String("P5Q")), "P5Q");
    EXPECT_EQ(CWmiQuery::VariantToText(WmiVariant::String("")), "");
    EXPECT_EQ(CWmiQuery::VariantToText(WmiVariant{}), "NULL");
    EXPECT_EQ(CWmiQuery::VariantToText(WmiVariant::Null()), "NULL");
    EXPECT_EQ(CWmiQuery::VariantToText(WmiVariant::Other()), "NULL");
}

TEST(VariantToText, HugeDoublesAreWrittenWhole)
{
    char expected[400];
    std::snprintf(expected, sizeof expected, "%10.4f", 1e300);
    EXPECT_EQ(CWmiQuery::VariantToText(WmiVariant::Double(1e300)), expected);
}

class WmiGetTextTest : public ::testing::Test {
protected:
    CMemoryWmiProvider provider;
    CRecordingMessageBox messages;
};

TEST_F(WmiGetTextTest, ReadsTheFirstInstance)
{
    provider.SetText("Win32_BaseBoard", "Product", "P5Q-E");
    EXPECT_EQ(WmiGetText(provider, messages, "Win32_BaseBoard", "Product"), "P5Q-E");
    // Property names compare as WMI compares them.
    EXPECT_EQ(WmiGetText(provider, messages, "Win32_BaseBoard", "product"), "P5Q-E");
    EXPECT_TRUE(messages.shown.empty());
    // One connection per call: nothing is reused.
    EXPECT_EQ(provider.connections, 2);
}

TEST_F(WmiGetTextTest, UnknownClassShowsTheStatusNameAndAnswersNull)
{
    EXPECT_EQ(WmiGetText(provider, messages, "Win32_NoSuchThing", "Product"), "NULL");
    EXPECT_EQ(messages.shown, (std::vector<std::string>{"WBEM_E_INVALID_CLASS"}));

    provider.failingClasses["Win32_Bios"] = 0x80041003;
    EXPECT_EQ(WmiGetText(provider, messages, "Win32_Bios", "Manufacturer"), "NULL");
    EXPECT_EQ(messages.shown.back(), "WBEM_E_ACCESS_DENIED");
}

TEST_F(WmiGetTextTest, NoInstanceOrNoPropertyAnswersNullSilently)
{
    provider.AddClass("Win32_VideoController");
    provider.SetText("Win32_Bios", "Manufacturer", "AMI");
    EXPECT_EQ(WmiGetText(provider, messages, "Win32_VideoController", "PNPDeviceID"), "NULL");
    EXPECT_EQ(WmiGetText(provider, messages, "Win32_Bios", "ReleaseDate"), "NULL");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WmiGetTextTest, AFailedConnectionAnswersEmptyWithoutMessage)
{
    provider.SetText("Win32_BaseBoard", "Product", "P5Q-E");
    provider.connectStatus = 0x80041015;
    EXPECT_EQ(WmiGetText(provider, messages, "Win32_BaseBoard", "Product"), "");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WmiGetTextTest, QueriesNeedAConnectionToTheRightNamespace)
{
    provider.SetText("Win32_BaseBoard", "Product", "P5Q-E");
    CWmiQuery query(provider, messages);
    EXPECT_TRUE(query.InitializeComSecurity());
    EXPECT_TRUE(query.InitializeComSecurity());
    // Unconnected: nothing read, nothing enumerated.
    EXPECT_EQ(query.GetFirstInstanceProperty("Win32_BaseBoard", "Product").type, WmiVariant::Type::Empty);
    EXPECT_EQ(provider.enumerations, 0);
    EXPECT_FALSE(query.Connect("\\\\.\\root\\default"));
    EXPECT_EQ(query.GetFirstInstanceProperty("Win32_BaseBoard", "Product").type, WmiVariant::Type::Empty);
    EXPECT_TRUE(query.Connect("ROOT\\CIMV2"));
    EXPECT_EQ(CWmiQuery::VariantToText(query.GetFirstInstanceProperty("Win32_BaseBoard", "Product")), "P5Q-E");
    // A failed reconnect drops the earlier connection.
    EXPECT_FALSE(query.Connect("root\\other"));
    EXPECT_EQ(query.GetFirstInstanceProperty("Win32_BaseBoard", "Product").type, WmiVariant::Type::Empty);
}

TEST_F(WmiGetTextTest, ReportsWhereTheValueCameFrom)
{
    provider.SetProperty("Win32_Bios", "Manufacturer", WmiVariant::String("AMI"), "/sys/class/dmi/id/bios_vendor");
    std::string origin;
    EXPECT_EQ(WmiGetText(provider, messages, "Win32_Bios", "Manufacturer", &origin), "AMI");
    EXPECT_EQ(origin, "/sys/class/dmi/id/bios_vendor");
}

}  // namespace
