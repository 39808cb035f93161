// The chip's beep enables as the monitor's items set them: the four bytes
// are read, each item's bit set or cleared, and written back under one
// claim, so the bits of inputs no item names stay as the firmware left them.
// The chip beeps at its own limit registers, which the monitor never writes
// (on some boards the temperature limits also drive the over-temperature
// output).
#pragma once

#include <vector>

#include "hwmon/PortIo.h"
#include "monplugin/MonitorItem.h"

namespace monitor {

// The chip's result; 0 (nothing touched) when no item has a beep bit.
int ProgramBeepEnables(hwmon::IPortIo& port, const std::vector<MonitorItem>& items);

}  // namespace monitor
