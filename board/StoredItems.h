// The user's per-item settings live in the registry, one subkey per board
// item under a key the suite's plug-ins share: the hardware monitor owns an
// item's identity and alarm values, the fan plug-in its smart-fan values.
// Each writes the other's values only where they are missing, so a fresh
// profile gets a complete key from whichever plug-in runs first and nobody
// replaces what another one stored.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "hwmon/FanController.h"
#include "hwmon/FanItemRecord.h"

class CRegistryAccess;
class IRegistryHives;

namespace board {

// Under the current user's hive; one subkey per item, named by its number.
inline constexpr char kStoredItemsKey[] = "Software\\VARN\\HWM";

// "Software\\VARN\\HWM\\<itemNo>".
std::string StoredItemKey(int itemNo);

// The values the hardware monitor owns ("ItemType", "Name", "PinName",
// "ItemNo", "Enable", "BeepEnable", "ShutDownEnable", "HiLimit", "LoLimit";
// the limits in thousandths).
struct StoredIdentity {
    int itemNo = 0;
    int itemType = 0;
    std::string name;
    std::string pinName;
    bool enable = false;
    bool beepEnable = false;
    bool shutDownEnable = false;
    double hiLimit = 0.0;
    double loLimit = 0.0;
};

// Writes each identity value into the item's subkey unless it is there
// already (the subkey is created when missing). Stops at the first failed
// write.
bool AddMissingIdentity(CRegistryAccess& registry, const StoredIdentity& identity);
bool AddMissingIdentity(IRegistryHives& hives, const StoredIdentity& identity);

// The identity values the item's subkey holds, each over identity's; true
// when all nine were there.
bool ReadStoredIdentity(IRegistryHives& hives, int itemNo, StoredIdentity& identity);

// The user's settings of the monitor ("Enable", "BeepEnable",
// "ShutDownEnable", "HiLimit", "LoLimit") over what is stored; the fan
// plug-in's values and the item's name, pin and type stay as they are.
bool SaveMonitorSettings(IRegistryHives& hives, const StoredIdentity& identity);

// Every identity value over what is stored: for a subkey that describes
// another item than the board's (the board file changed). The fan plug-in's
// values stay.
bool ReplaceIdentity(IRegistryHives& hives, const StoredIdentity& identity);

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

}  // namespace board
