// Unchecked byte access to I/O ports after the operating system granted it;
// only the direct backend uses it, and only for the chip's two ports.
#pragma once

#include <cstdint>
#include <string>

namespace hwmon {

class IRawPorts {
public:
    virtual ~IRawPorts() = default;
    // Asks for the index/data pair; on refusal why says what the system said.
    virtual bool Acquire(std::string& why) = 0;
    virtual void Release() = 0;
    virtual std::uint8_t In(int port) = 0;
    virtual void Out(int port, std::uint8_t value) = 0;
};

}  // namespace hwmon
