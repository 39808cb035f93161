// Unchecked byte access to I/O ports after the operating system granted it;
// only the direct backend uses it, and only for the chip's two ports. The
// grant is never given back: it belongs to the whole process, and a second
// backend instance in it (the inspection tool's report beside libvarnio's
// own) would otherwise pull it away from an active one, whose next access
// would then fault.
#pragma once

#include <cstdint>
#include <string>

namespace hwmon {

class IRawPorts {
public:
    virtual ~IRawPorts() = default;
    // Asks for the index/data pair; on refusal why says what the system said.
    virtual bool Acquire(std::string& why) = 0;
    virtual std::uint8_t In(int port) = 0;
    virtual void Out(int port, std::uint8_t value) = 0;
};

}  // namespace hwmon
