// A machine with a fixed number of processors, and fan items as a board
// file would give them, for tests of the readers and their users.
#pragma once

#include <string>

#include "hwmon/FanItemRecord.h"
#include "hwmon/ProcessorCount.h"

namespace board {

class CFixedProcessorCount : public hwmon::IProcessorCount {
public:
    explicit CFixedProcessorCount(int count) : count_(count) {}
    int ProcessorCount() const override { return count_; }

private:
    int count_;
};

// A fan item as a board file would give it.
inline hwmon::FanItemRecord FanItem(int itemNo, const std::string& name, const std::string& pin)
{
    hwmon::FanItemRecord item;
    item.itemNo = itemNo;
    item.itemType = 3;
    item.name = name;
    item.pinName = item.fanCtrlPin = pin;
    item.cpuNo = 1;
    item.enable = true;
    item.factor = 1.0;
    item.smartFanSupport = true;
    item.smartFanEnable = true;
    item.targetTemp = 50;
    item.toleranceTemp = 3;
    item.startCtrl = 60;
    item.stopCtrl = 30;
    item.fanOutputMode = 2;
    return item;
}

}  // namespace board
