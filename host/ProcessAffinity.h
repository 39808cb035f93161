// The host runs on the first processor only, set before anything else runs.
#pragma once

#include <cstdint>

class IMessageBox;

inline constexpr const char* kAffinityFailed = "Set process affinity mask fail";

// Port: the process's processor affinity.
class IProcessAffinity {
public:
    virtual ~IProcessAffinity() = default;
    // Bit n set: may run on processor n. False when refused.
    virtual bool SetMask(std::uint64_t mask) = 0;
};

// Pins the process to processor 0; a refusal is shown on ownerless (no owner,
// empty caption) and start-up goes on. Returns whether the mask was set.
bool PinToFirstProcessor(IProcessAffinity& affinity, IMessageBox& ownerless);
