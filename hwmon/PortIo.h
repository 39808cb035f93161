// Byte I/O on the chip's two ports: the only way the chip logic reaches the
// hardware, so tests can put a recording or simulated chip behind it.
#pragma once

#include <cstdint>

namespace hwmon {

// The hardware monitor's index/data pair. Nothing in this layer ever touches
// another port.
inline constexpr int kIndexPort = 0x295;
inline constexpr int kDataPort = 0x296;

inline constexpr bool IsChipPort(int port) { return port == kIndexPort || port == kDataPort; }

class IPortIo {
public:
    virtual ~IPortIo() = default;
    // Both return a positive value on success and 0 on failure; a failed
    // InPortB leaves *value alone.
    virtual int OutPortB(int port, int value) = 0;
    virtual int InPortB(int port, std::uint8_t* value) = 0;

    // The index/data pair is one shared latch: another program's index write
    // between ours and our data access, or its bank switch between ours and
    // our register access, sends a write to the wrong register. A claim keeps
    // this system's other programs off the pair until the matching Release.
    // Claims nest. When the pair stays busy too long the claim fails and
    // every access until its Release fails too, so nothing lands half-done.
    virtual void Claim() {}
    virtual void Release() {}
};

}  // namespace hwmon
