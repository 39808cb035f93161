// One board item as the monitor watches it: where the chip measures it, how
// its reading is scaled, its limits and the user's settings. Items come from
// the board file with the user's stored settings over them (ItemSetup.h).
#pragma once

#include <optional>
#include <string>

#include "hwmon/SensorTable.h"

namespace monitor {

enum class ItemClass { Voltage, Temperature, Fan };

struct MonitorItem {
    int itemNo = 0;
    ItemClass itemClass = ItemClass::Voltage;
    std::string caption;       // the user's stored name, else the board's
    std::string pinName;       // as the board file names it
    std::string documentName;  // the item's NAME in the document
    // The chip's input behind the pin; none when the chip has no such input
    // of the item's class.
    std::optional<hwmon::SensorRecord> input;
    bool negative = false;
    double factor = 1.0;
    bool enable = true;
    bool beepEnable = false;
    bool shutDownEnable = false;
    // Volts, degrees Celsius or rpm. A temperature's low limit is where its
    // warning clears, as on the chip.
    double hiLimit = 0.0;
    double loLimit = 0.0;
    // Limits the board file leaves to the chip and the chip has not given
    // yet (it did not answer when they were asked for).
    bool hiFromChip = false;
    bool loFromChip = false;
};

ItemClass ClassOfType(int itemType);
int TypeOfClass(ItemClass itemClass);
hwmon::SensorClass SensorClassOf(ItemClass itemClass);

// "" while the item can be read and judged, else why not, in the words its
// NOTE gives: its pin, a Factor of 0, limits the wrong way round or not
// known yet.
std::string ConfigurationProblem(const MonitorItem& item);

// Whether the chip has a beep enable for the item's input.
bool HasBeepBit(const MonitorItem& item);

}  // namespace monitor
