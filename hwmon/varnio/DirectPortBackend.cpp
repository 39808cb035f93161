#include "hwmon/varnio/DirectPortBackend.h"

#include <cstdio>

#include "hwmon/ChipAccessor.h"
#include "hwmon/ChipIdentity.h"
#include "hwmon/varnio/IoportsClaims.h"

namespace hwmon {

CDirectPortBackend::CDirectPortBackend(std::unique_ptr<IRawPorts> raw) : raw_(std::move(raw)) {}

int CDirectPortBackend::OutPortB(int port, int value)
{
    if (!IsChipPort(port)) {
        return 0;
    }
    raw_->Out(port, static_cast<std::uint8_t>(value));
    return 1;
}

int CDirectPortBackend::InPortB(int port, std::uint8_t* value)
{
    if (!IsChipPort(port) || value == nullptr) {
        return 0;
    }
    *value = raw_->In(port);
    return 1;
}

std::unique_ptr<IPortIo> OpenDirectBackend(std::unique_ptr<IRawPorts> raw, std::string_view ioports,
                                           BackendOpening& opening)
{
    std::string denied;
    if (!raw->Acquire(denied)) {
        opening.refusal = {BackendProblem::NoPortAccess, "no access to the ports",
                           "no access to ports 0x295-0x296: " + denied};
        return nullptr;
    }
    if (const auto claim = FindChipPortClaim(ioports)) {
        char range[32];
        std::snprintf(range, sizeof range, "%04x-%04x", claim->first, claim->last);
        opening.refusal = {BackendProblem::DriverHoldsPorts, "the kernel driver " + claim->owner + " holds the ports",
                           "ports 0x295-0x296 are claimed by the kernel driver '" + claim->owner +
                               "' (/proc/ioports " + range +
                               "); two masters on one index/data pair corrupt each other, unload it first"};
        return nullptr;
    }
    auto backend = std::make_unique<CDirectPortBackend>(std::move(raw));
    CChipAccessor chip(*backend);
    ChipIdentity identity;
    IdentifyChip(chip, identity);
    if (!identity.Recognised()) {
        opening.refusal = {BackendProblem::NoChip, "no W83627EHF answers",
                           "no W83627EHF answers at 0x295/0x296: " + DescribeIdentity(identity)};
        return nullptr;
    }
    opening.detail = DescribeIdentity(identity);
    opening.chip = ShortChipName(identity.chipId);
    return backend;
}

}  // namespace hwmon
