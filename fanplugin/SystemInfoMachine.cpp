#include "fanplugin/SystemInfoMachine.h"

#include "SystemInfo.h"

namespace zefan {

std::string CSystemInfoMachine::GetInfo(const std::string& key) const
{
    CSystemInfo info(COsVersion::Edition::Plugin);
    return info.GetInfo(key);
}

}  // namespace zefan
