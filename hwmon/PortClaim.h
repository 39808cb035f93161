// Holds a claim on the chip's ports for one whole chip operation: the bank it
// selects and every register access that depends on that bank.
#pragma once

#include "hwmon/PortIo.h"

namespace hwmon {

class CPortClaim {
public:
    explicit CPortClaim(IPortIo& port) : port_(port) { port_.Claim(); }
    ~CPortClaim() { port_.Release(); }
    CPortClaim(const CPortClaim&) = delete;
    CPortClaim& operator=(const CPortClaim&) = delete;

private:
    IPortIo& port_;
};

}  // namespace hwmon
