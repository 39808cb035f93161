// The reference temperatures a system fan may follow, as the board file
// lists them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ZefanTestDoubles.h"
#include "fanplugin/ReferenceTemperatureSource.h"

namespace zefan::test {
namespace {

const std::string kPath = "/boards/Test.ini";

TEST(ReadTemperatureSourcesTest, SelectorsByPinAndTheAuxiliaryInputLeftOut)
{
    CMemoryProfileReader ini;
    ini.Add(kPath, "[GLOBAL]\nTotal_Item_Count=6\n"
                   "[ITEM1]\nItemType=2\nName=System\nPinName=SYSTIN\n"
                   "[ITEM2]\nItemType=2\nName=CPU\nPinName=cputin\n"
                   "[ITEM3]\nItemType=2\nName=Aux exact\nPinName=AUXTIN\n"
                   "[ITEM4]\nItemType=2\nName=Aux lower\nPinName=auxtin\n"
                   "[ITEM5]\nItemType=2\nPinName=VCORE\n"
                   "[ITEM6]\nItemType=3\nName=CPU FAN\nPinName=CPUFANIN0\n");
    std::vector<ReferenceTemperatureSource> sources;
    ASSERT_TRUE(ReadTemperatureSources(ini, kPath, sources));
    ASSERT_EQ(sources.size(), 4u);
    EXPECT_EQ(sources[0].name, "System");
    EXPECT_EQ(sources[0].selector, 0);
    EXPECT_EQ(sources[1].selector, 1);
    EXPECT_EQ(sources[2].name, "Aux lower");
    EXPECT_EQ(sources[2].selector, 2);
    EXPECT_EQ(sources[3].name, "Error");  // no name
    EXPECT_EQ(sources[3].selector, 0);    // a pin that is no reference input

    CMemoryProfileReader empty;
    EXPECT_FALSE(ReadTemperatureSources(empty, kPath, sources));
    EXPECT_TRUE(sources.empty());
}

}  // namespace
}  // namespace zefan::test
