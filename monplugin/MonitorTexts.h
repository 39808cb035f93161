// What the monitor tells people and skins: readings and limits in the
// document's units (whole degrees Celsius, whole rpm, volts to three
// decimals) and for people in the host's unit, the items' states, and the
// one sentence about the monitor as a whole.
#pragma once

#include <string>
#include <vector>

#include "monplugin/Judge.h"
#include "monplugin/MonitorItem.h"

namespace monitor {

// "—": no reading.
inline constexpr const char* kNoReading = "\u2014";

// In the document's units: "45", "1875", "1.216".
std::string ValueText(ItemClass itemClass, double value);
// For people: "45 °C" / "113 °F", "1875 rpm", "1.216 V".
std::string DisplayText(ItemClass itemClass, double value, bool celsius);
// "below 80 °C", "600 – 5000 rpm", "1.215 – 1.485 V"; "not watched" when
// Enable is off, "limits unknown" while the chip has not given them.
std::string LimitsText(const MonitorItem& item, bool celsius);
// "ok", "high", "low", "unwatched", "unavailable".
const char* StateName(ItemState state);

// What the monitor knows beyond its items.
struct MonitorFacts {
    bool celsius = true;
    bool boardFound = true;
    // The backend's words when the last sample found the chip gone, e.g.
    // "service: not running"; "" while the chip answers.
    std::string lostChip;
};

// "All 11 readings are within their limits.", "1 reading is outside its
// limits: CPU Temperature 92 °C (below 80 °C).", "The chip cannot be read
// (service: not running)." ...
std::string StatusSentence(const std::vector<MonitorItem>& items, const std::vector<ItemStatus>& status,
                           const MonitorFacts& facts);
// The hottest temperature read, for people; "—" when none was.
std::string HottestText(const std::vector<MonitorItem>& items, const std::vector<ItemStatus>& status, bool celsius);
// How many watched items are in warning.
int WarningCount(const std::vector<ItemStatus>& status);

}  // namespace monitor
