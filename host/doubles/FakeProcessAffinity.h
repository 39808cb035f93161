// Affinity double: remembers the masks asked for, refuses when told.
#pragma once

#include <vector>

#include "ProcessAffinity.h"

class CFakeProcessAffinity : public IProcessAffinity {
public:
    bool refuse = false;
    std::vector<std::uint64_t> masks;
    bool SetMask(std::uint64_t mask) override {
        masks.push_back(mask);
        return !refuse;
    }
};
