// The chip logic's port interface on top of libvarnio: what the fan-control
// plug-in and the inspection tool hand to CChipAccessor and CFanController.
#pragma once

#include "hwmon/PortIo.h"

namespace hwmon {

class CVarnioPort : public IPortIo {
public:
    int OutPortB(int port, int value) override;
    int InPortB(int port, std::uint8_t* value) override;
};

}  // namespace hwmon
