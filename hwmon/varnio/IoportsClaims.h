// Who else holds the chip's ports, from the text of /proc/ioports. Two masters
// on one index/data pair corrupt each other's accesses, so a driver's claim
// rules direct access out.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hwmon {

struct PortClaim {
    unsigned first = 0;
    unsigned last = 0;
    std::string owner;
};

// The first claim overlapping 0x295-0x296 that belongs to a driver. Bus
// windows ("PCI Bus ...") and firmware reservations ("pnp ...") only
// describe the address space and do not count.
std::optional<PortClaim> FindChipPortClaim(std::string_view ioports);

}  // namespace hwmon
