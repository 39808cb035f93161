// What hwmonctl prints about the chip.
#pragma once

#include <string>

#include "hwmon/PortIo.h"

// Identity, reference selector, every sensor with reading and limits, every
// fan output's settings. False when a chip access failed (the text says where).
bool PrintChipReport(hwmon::IPortIo& port, std::string& text);

// One line: temperatures, then each output's duty and its fan's speed.
bool WatchLine(hwmon::IPortIo& port, int second, std::string& text);
