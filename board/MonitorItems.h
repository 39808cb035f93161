// The board items the hardware monitor watches: every voltage, temperature
// and fan of the board file. Unlike the fan plug-in's items, a monitor item
// needs only its type, name and pin: temperature items usually carry no
// numbers at all (the chip's own limits apply), so a missing number takes a
// default instead of ending the list.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "board/ProfileReader.h"

namespace board {

struct MonitorItemRecord {
    int itemNo = 0;  // the section's number, as the fan plug-in numbers it
    int itemType = 0;
    std::string name;
    std::string pinName;
    bool negative = false;
    bool enable = true;
    bool beepEnable = false;
    bool shutDownEnable = false;
    // In the item's unit (volts, degrees Celsius, rpm); none when the file
    // does not give it.
    std::optional<double> hiLimit;
    std::optional<double> loLimit;
    double factor = 1.0;  // already scaled by 0.001; 0 is kept for the monitor to refuse
};

// The items of types 1, 2 and 3 in the file's order. itemCount receives
// "Total_Item_Count" (-1 when missing, which fails with no item).
bool ReadMonitorItems(const IProfileReader& ini, const std::string& path, int& itemCount,
                      std::vector<MonitorItemRecord>& items);

}  // namespace board
