// IMachineInfo on the system-information collector, in the plug-in's
// edition.
#pragma once

#include <string>

#include "fanplugin/MachineInfo.h"

namespace zefan {

class CSystemInfoMachine : public IMachineInfo {
public:
    std::string GetInfo(const std::string& key) const override;
};

}  // namespace zefan
