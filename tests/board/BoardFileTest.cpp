// The board file: its name, and every default and stop rule of its fan items.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board/BoardFile.h"
#include "board/doubles/FanItems.h"
#include "board/doubles/MemoryMachineInfo.h"
#include "board/doubles/MemoryProfileReader.h"

namespace board {
namespace {

using hwmon::FanItemRecord;

const std::string kPath = "/boards/Test.ini";

// One complete fan section; the keys in `without` are left out.
std::string FanSection(int n, const std::string& name, const std::string& pin,
                       const std::vector<std::string>& without = {})
{
    const std::vector<std::pair<std::string, std::string>> keys = {
        {"ItemType", "3"},        {"Name", name},          {"PinName", pin},
        {"Negative", "0"},        {"Enable", "5"},         {"BeepEnable", "0"},
        {"ShutDownEnable", "1"},  {"HiBound", "5000000"},  {"LoBound", "0"},
        {"HiLimit", "1500"},      {"LoLimit", "250"},      {"Factor", "1000"},
        {"CpuNo", "2"},           {"SmartFanSupport", "1"}, {"SmartFanEnable", "1"},
        {"TargetTemp", "55"},     {"ToleranceTemp", "3"},  {"StartCtrl", "60"},
        {"StopCtrl", "30"},       {"FanOutputMode", "2"},  {"FanCtrlPin", pin},
    };
    std::string text = "[ITEM" + std::to_string(n) + "]\n";
    for (const auto& [key, value] : keys) {
        if (std::find(without.begin(), without.end(), key) == without.end()) {
            text += key + "=" + value + "\n";
        }
    }
    return text;
}

std::string Board(int count, const std::string& sections)
{
    return "[GLOBAL]\nTotal_Item_Count=" + std::to_string(count) + "\n" + sections;
}

TEST(ConfigurationFilePathTest, FolderModelAndExtensionWithSlashesReplaced)
{
    CMemoryMachineInfo machine;
    machine.facts = {{"Path", "X:\\Data\\"}, {"MBModel", "AB/CD"}};
    EXPECT_EQ(ConfigurationFilePath(machine), "X:\\Data\\AB_CD.ini");

    machine.facts = {{"Path", "/opt/velmar/"}, {"MBModel", "P5/B//Pro"}};
    EXPECT_EQ(ConfigurationFilePath(machine), "/opt/velmar/P5_B__Pro.ini");
}

TEST(ChooseBoardFileTest, TheModelsOwnFileElseTheGenericOneAndTheLineThatSaysWhich)
{
    CMemoryMachineInfo machine;
    machine.facts = {{"Path", "/opt/velmar/"}, {"MBModel", "P5B/Pro"}};
    CMemoryProfileReader files;
    files.Add("/opt/velmar/P5B_Pro.ini", "[GLOBAL]\nTotal_Item_Count=0\n");
    files.Add("/opt/velmar/Generic-W83627EHF.ini", "[GLOBAL]\nTotal_Item_Count=0\n");

    BoardFileChoice choice = ChooseBoardFile(machine, files);
    EXPECT_EQ(choice.path, "/opt/velmar/P5B_Pro.ini");
    EXPECT_FALSE(choice.generic);
    EXPECT_EQ(DescribeBoardFile(choice), "P5B_Pro.ini (board \"P5B/Pro\")");

    machine.facts["MBModel"] = "A8N";
    choice = ChooseBoardFile(machine, files);
    EXPECT_EQ(choice.path, "/opt/velmar/Generic-W83627EHF.ini");
    EXPECT_TRUE(choice.generic);
    EXPECT_TRUE(choice.found);
    EXPECT_EQ(DescribeBoardFile(choice), "Generic-W83627EHF.ini (generic: no board file for \"A8N\")");

    // A firmware that names no board must not find a file called ".ini".
    files.Add("/opt/velmar/.ini", "[GLOBAL]\nTotal_Item_Count=0\n");
    machine.facts["MBModel"] = "";
    choice = ChooseBoardFile(machine, files);
    EXPECT_TRUE(choice.generic);
    EXPECT_EQ(DescribeBoardFile(choice), "Generic-W83627EHF.ini (generic: the firmware names no board)");

    CMemoryProfileReader none;
    choice = ChooseBoardFile(machine, none);
    EXPECT_FALSE(choice.found);
    EXPECT_EQ(DescribeBoardFile(choice), "Generic-W83627EHF.ini (missing: the firmware names no board)");
}

TEST(ReadFanItemsTest, ReadsEveryFieldOfAFanWithItsScaling)
{
    CMemoryProfileReader ini;
    ini.Add(kPath, Board(2, "[ITEM1]\nItemType=2\nName=CPU Temp\nPinName=CPUTIN\n" +
                                FanSection(2, "CPU FAN", "CPUFANIN0")));
    int count = 0;
    std::vector<FanItemRecord> items;
    ASSERT_TRUE(ReadFanItems(ini, kPath, count, items));
    EXPECT_EQ(count, 2);
    ASSERT_EQ(items.size(), 1u);
    const FanItemRecord& fan = items[0];
    EXPECT_EQ(fan.itemNo, 2);
    EXPECT_EQ(fan.itemType, 3);
    EXPECT_EQ(fan.name, "CPU FAN");
    EXPECT_EQ(fan.pinName, "CPUFANIN0");
    EXPECT_EQ(fan.fanCtrlPin, "CPUFANIN0");
    EXPECT_FALSE(fan.negative);
    EXPECT_TRUE(fan.enable);  // any non-zero value
    EXPECT_FALSE(fan.beepEnable);
    EXPECT_TRUE(fan.shutDownEnable);
    EXPECT_DOUBLE_EQ(fan.hiLimit, 1.5);
    EXPECT_DOUBLE_EQ(fan.loLimit, 0.25);
    EXPECT_DOUBLE_EQ(fan.hiBound, 5000.0);
    EXPECT_DOUBLE_EQ(fan.factor, 1.0);
    EXPECT_EQ(fan.cpuNo, 2);
    EXPECT_TRUE(fan.smartFanSupport);
    EXPECT_TRUE(fan.smartFanEnable);
    EXPECT_EQ(fan.targetTemp, 55);
    EXPECT_EQ(fan.toleranceTemp, 3);
    EXPECT_EQ(fan.startCtrl, 60);
    EXPECT_EQ(fan.stopCtrl, 30);
    EXPECT_EQ(fan.fanOutputMode, 2);
}

TEST(ReadFanItemsTest, MissingStringsReadAsErrorAndLongOnesAreCut)
{
    CMemoryProfileReader ini;
    const std::string longName(600, 'N');
    ini.Add(kPath, Board(2, FanSection(1, longName, "SYSFANIN") +
                                FanSection(2, "x", "CPUFANIN0", {"Name", "PinName", "FanCtrlPin"})));
    int count = 0;
    std::vector<FanItemRecord> items;
    ASSERT_TRUE(ReadFanItems(ini, kPath, count, items));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].name, std::string(kBoardStringMaxChars, 'N'));
    EXPECT_EQ(items[1].name, "Error");
    EXPECT_EQ(items[1].pinName, "Error");
    EXPECT_EQ(items[1].fanCtrlPin, "Error");
}

TEST(ReadFanItemsTest, AMissingNumberEndsTheListBeforeThatItem)
{
    CMemoryProfileReader ini;
    ini.Add(kPath, Board(4, FanSection(1, "CPU FAN", "CPUFANIN0") + FanSection(2, "SYS FAN", "SYSFANIN", {"StopCtrl"}) +
                                FanSection(3, "AUX FAN", "AUXFANIN0")));
    int count = 0;
    std::vector<FanItemRecord> items;
    EXPECT_FALSE(ReadFanItems(ini, kPath, count, items));
    EXPECT_EQ(count, 4);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].name, "CPU FAN");
}

TEST(ReadFanItemsTest, NoFileOrNoCountGivesNothing)
{
    CMemoryProfileReader ini;
    int count = 0;
    std::vector<FanItemRecord> items{FanItem(1, "old", "SYSFANIN")};
    EXPECT_FALSE(ReadFanItems(ini, kPath, count, items));
    EXPECT_EQ(count, -1);
    EXPECT_TRUE(items.empty());

    ini.Add(kPath, "[GLOBAL]\n" + FanSection(1, "CPU FAN", "CPUFANIN0"));
    EXPECT_FALSE(ReadFanItems(ini, kPath, count, items));
    EXPECT_TRUE(items.empty());
}

TEST(ReadFanItemsTest, AnAbsurdCountDoesNotStallTheStart)
{
    CMemoryProfileReader ini;
    ini.Add(kPath, Board(2000000000, FanSection(1, "CPU FAN", "CPUFANIN0")));
    int count = 0;
    std::vector<FanItemRecord> items;
    EXPECT_TRUE(ReadFanItems(ini, kPath, count, items));
    EXPECT_EQ(count, 2000000000);
    EXPECT_EQ(items.size(), 1u);
    // One count, then one type per section up to the bound, and the fan's keys.
    EXPECT_LT(ini.lookups, kMaxBoardItems + 40);
}

}  // namespace
}  // namespace board
