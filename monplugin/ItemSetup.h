// The monitor's items as it starts: the board file's voltages, temperatures
// and fans with the user's stored settings over them, the limits the file
// leaves to the chip read from its limit registers, and a complete "HWM"
// subkey for each item, so a fresh profile has every value the suite's
// programs read.
#pragma once

#include <vector>

#include "board/MonitorItems.h"
#include "board/StoredItems.h"
#include "hwmon/PortIo.h"
#include "monplugin/MonitorItem.h"

class IRegistryHives;

namespace monitor {

// A fan the board file gives no limits is shown but never an alarm: the
// chip's one count limit is no upper bound, and a header with nothing
// plugged in would otherwise warn for ever.
inline constexpr double kFanCeilingRpm = 10000.0;

// How the item's subkey stood when the monitor started.
enum class StoredState { Complete, Incomplete, OtherItem };

struct SetupItem {
    MonitorItem item;
    StoredState stored = StoredState::Incomplete;
};

// The board's items, each with what the user stored for it. A subkey whose
// type or pin is not the board item's belongs to another board file: its
// values are not used (and are replaced when the identity is stored).
std::vector<SetupItem> SetupItemsOf(const std::vector<board::MonitorItemRecord>& records, IRegistryHives& hives);

// The chip's limits of every item still waiting for them, all under one
// claim. True when no item is left waiting.
bool ReadChipLimits(hwmon::IPortIo& port, std::vector<SetupItem>& items);

// Adds what is missing in each item's subkey (replaces the identity of one
// that belongs to another item); items whose limits are still unknown wait.
void StoreIdentities(IRegistryHives& hives, std::vector<SetupItem>& items);

// The item's values as the "HWM" key holds them.
board::StoredIdentity IdentityOf(const MonitorItem& item);

}  // namespace monitor
