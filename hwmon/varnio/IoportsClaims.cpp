#include "hwmon/varnio/IoportsClaims.h"

#include <cstdio>
#include <sstream>

#include "hwmon/PortIo.h"

namespace hwmon {
namespace {

constexpr std::string_view kNotDrivers[] = {"PCI Bus", "PCI bus", "pnp ", "PNP"};

bool IsDriver(std::string_view owner)
{
    for (std::string_view prefix : kNotDrivers) {
        if (owner.substr(0, prefix.size()) == prefix) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<PortClaim> FindChipPortClaim(std::string_view ioports)
{
    std::istringstream in{std::string(ioports)};
    std::string line;
    while (std::getline(in, line)) {
        PortClaim claim;
        int ownerAt = 0;
        if (std::sscanf(line.c_str(), " %x-%x : %n", &claim.first, &claim.last, &ownerAt) != 2 || ownerAt == 0) {
            continue;
        }
        claim.owner = line.substr(static_cast<std::size_t>(ownerAt));
        const bool overlaps = claim.first <= static_cast<unsigned>(kDataPort) &&
                              claim.last >= static_cast<unsigned>(kIndexPort);
        if (overlaps && IsDriver(claim.owner)) {
            return claim;
        }
    }
    return std::nullopt;
}

}  // namespace hwmon
