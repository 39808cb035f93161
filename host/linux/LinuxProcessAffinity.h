// Processor affinity through sched_setaffinity.
#pragma once

#include "ProcessAffinity.h"

class CLinuxProcessAffinity : public IProcessAffinity {
public:
    bool SetMask(std::uint64_t mask) override;
};
