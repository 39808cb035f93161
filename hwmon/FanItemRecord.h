// One fan item of the board configuration (or of the stored user settings):
// which pins measure and drive the fan and its smart-fan settings.
#pragma once

#include <cstdint>
#include <string>

namespace hwmon {

struct FanItemRecord {
    int itemNo = 0;  // 1-based
    int itemType = 0;
    std::string name;
    std::string pinName;  // sensor-table name of the measured input
    bool negative = false;
    bool enable = false;
    bool beepEnable = false;
    bool shutDownEnable = false;
    double hiBound = 0.0;
    double loBound = 0.0;
    double hiLimit = 0.0;
    double loLimit = 0.0;
    double factor = 0.0;  // already scaled by 0.001
    std::uint8_t cpuNo = 0;  // 2 = belongs to a second processor
    bool smartFanSupport = false;
    bool smartFanEnable = false;
    int targetTemp = 0;     // degrees Celsius
    int toleranceTemp = 0;  // degrees Celsius
    int startCtrl = 0;      // percent
    int stopCtrl = 0;       // percent
    int fanOutputMode = 0;  // 0 clear, 1 set, 2 keep the output-mode bit
    std::string fanCtrlPin;  // sensor-table name of the fan whose output is driven
};

}  // namespace hwmon
