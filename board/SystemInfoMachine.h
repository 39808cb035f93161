// IMachineInfo on the system-information collector, in the plug-ins'
// edition.
#pragma once

#include <string>

#include "board/MachineInfo.h"

namespace board {

class CSystemInfoMachine : public IMachineInfo {
public:
    std::string GetInfo(const std::string& key) const override;
};

}  // namespace board
