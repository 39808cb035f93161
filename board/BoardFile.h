// Which items a board has, how they are wired and their factory settings come
// from the board file, one per board model, shipped in the program folder.
// The suite's plug-ins read it through these helpers, so they all find the
// same file and read it by the same rules.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "board/MachineInfo.h"
#include "board/ProfileReader.h"
#include "hwmon/FanItemRecord.h"

namespace board {

inline constexpr char kGlobalSection[] = "GLOBAL";
inline constexpr char kTotalItemCountKey[] = "Total_Item_Count";
inline constexpr char kItemSectionFormat[] = "ITEM%d";
// The value of a missing string key.
inline constexpr char kMissingText[] = "Error";
// The value of a missing whole-number key.
inline constexpr int kMissingNumber = -1;
// The longest string the board file may give for a name or pin.
inline constexpr std::size_t kBoardStringMaxChars = 511;
// A board count above this is treated as this many items: no chip has more
// inputs than a few dozen, and a corrupt count of two billion would otherwise
// keep a plug-in reading missing sections (and registry subkeys) at load
// for hours.
inline constexpr int kMaxBoardItems = 256;

// The file for any board with the chip whose model has no file of its own:
// every input of the chip, its four controllable outputs, and factory
// settings that leave the fans as the firmware set them.
inline constexpr char kGenericBoardFile[] = "Generic-W83627EHF.ini";

// Folder ("Path", which ends in a separator) + board model ("MBModel" with
// every "/" replaced by "_") + ".ini".
std::string ConfigurationFilePath(const IMachineInfo& facts);

// The board file the plug-ins read, and why that one.
struct BoardFileChoice {
    std::string path;
    std::string model;     // "MBModel" as the machine names the board
    bool generic = false;  // the model has no file: the chip's generic file
    bool found = false;    // the chosen file exists
};

// The model's own file when there is one (the machine-wide board override
// names the model, so it wins like any other name); the generic file beside
// it otherwise.
BoardFileChoice ChooseBoardFile(const IMachineInfo& facts, const IProfileReader& files);

// Why the file applies, e.g. "(generic: no board file for \"P5B\")".
std::string BoardFileReason(const BoardFileChoice& choice);
// One line for people: the file's name and why it applies.
std::string DescribeBoardFile(const BoardFileChoice& choice);

// "ITEM<n>".
std::string ItemSection(int n);

// "Total_Item_Count" as the loops use it: a missing or negative count reads
// no item, an absurd one at most kMaxBoardItems.
int LoopCount(int itemCount);

// The items of type 3. itemCount receives "Total_Item_Count" (-1 when it is
// missing, which fails with no item). An item with a missing whole-number key
// ends the list there and fails; the items before it stay.
bool ReadFanItems(const IProfileReader& ini, const std::string& path, int& itemCount,
                  std::vector<hwmon::FanItemRecord>& items);

}  // namespace board
