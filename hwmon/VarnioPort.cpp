#include "hwmon/VarnioPort.h"

#include "hwmon/Varnio.h"

namespace hwmon {

int CVarnioPort::OutPortB(int port, int value) { return ::OutPortB(port, value); }

int CVarnioPort::InPortB(int port, std::uint8_t* value) { return ::InPortB(port, value); }

}  // namespace hwmon
