// ioperm with inb/outb for the chip's two ports, nothing else.
#pragma once

#include "hwmon/varnio/RawPorts.h"

namespace hwmon {

class CIopermPorts : public IRawPorts {
public:
    bool Acquire(std::string& why) override;
    std::uint8_t In(int port) override;
    void Out(int port, std::uint8_t value) override;

private:
    bool granted_ = false;
};

}  // namespace hwmon
