#include "board/SystemInfoMachine.h"

#include "SystemInfo.h"

namespace board {

std::string CSystemInfoMachine::GetInfo(const std::string& key) const
{
    CSystemInfo info(COsVersion::Edition::Plugin);
    return info.GetInfo(key);
}

}  // namespace board
