// Which fans the board has and how they are wired come from the board file;
// the user's smart-fan settings live per item in the registry, under a key the
// suite's hardware-monitor software shares with this plug-in.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "fanplugin/ProfileReader.h"
#include "fanplugin/ReferenceTemperatureSource.h"
#include "fanplugin/MachineInfo.h"
#include "hwmon/FanController.h"
#include "hwmon/FanItemRecord.h"

class IRegistryHives;

namespace zefan {

inline constexpr char kGlobalSection[] = "GLOBAL";
inline constexpr char kTotalItemCountKey[] = "Total_Item_Count";
inline constexpr char kItemSectionFormat[] = "ITEM%d";
// The value of a missing string key.
inline constexpr char kMissingText[] = "Error";
// The longest string the board file may give for a name or pin.
inline constexpr std::size_t kBoardStringMaxChars = 511;
// A board count above this is treated as this many items: no chip has more
// inputs than a few dozen, and a corrupt count of two billion would otherwise
// keep the plug-in reading missing sections (and registry subkeys) at load
// for hours.
inline constexpr int kMaxBoardItems = 256;

// Under the current user's hive; one subkey per item, named by its number.
inline constexpr char kStoredItemsKey[] = "Software\\VARN\\HWM";

// Folder ("Path", which ends in a separator) + board model ("MBModel" with
// every "/" replaced by "_") + ".ini".
std::string ConfigurationFilePath(const IMachineInfo& facts);

// The items of type 3. itemCount receives "Total_Item_Count" (-1 when it is
// missing, which fails with no item). An item with a missing whole-number key
// ends the list there and fails; the items before it stay.
bool ReadFanItems(const IProfileReader& ini, const std::string& path, int& itemCount,
                  std::vector<hwmon::FanItemRecord>& items);

// The items of type 2, except those whose pin is exactly "AUXTIN".
bool ReadTemperatureSources(const IProfileReader& ini, const std::string& path,
                            std::vector<ReferenceTemperatureSource>& sources);

// Subkeys 1 ... itemCount whose "ItemType" is 3. A subkey without "ItemType"
// (an item never stored, or a voltage or temperature item of another
// program) is passed over; a fan subkey missing any other value ends the list
// and fails. Fails with no item when the key cannot be opened.
bool ReadStoredFanItems(IRegistryHives& hives, int itemCount, std::vector<hwmon::FanItemRecord>& items);

// Writes the smart-fan values of each fan's working record into its subkey,
// creating the subkey when missing. The identity values the reader needs
// ("ItemType", "Name", ...) are added from the fan's configuration only when
// absent, so another program's values are never replaced. Stops at the first
// failed write.
bool SaveSmartFanSettings(IRegistryHives& hives, std::span<hwmon::CFanController* const> shownFans);

// "Software\\VARN\\HWM\\<itemNo>".
std::string StoredItemKey(int itemNo);

}  // namespace zefan
