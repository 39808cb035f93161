// Machine facts as a table.
#pragma once

#include <map>
#include <string>

#include "board/MachineInfo.h"

namespace board {

class CMemoryMachineInfo : public IMachineInfo {
public:
    std::string GetInfo(const std::string& key) const override
    {
        auto found = facts.find(key);
        return found == facts.end() ? std::string() : found->second;
    }
    std::map<std::string, std::string> facts;
};

}  // namespace board
