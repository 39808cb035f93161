#include "fanplugin/FanPageUnitSetting.h"

#include <string>

#include "common/RegistryAccess.h"

namespace zefan {

bool ReadPageCelsiusFlag(CRegistryAccess& registry)
{
    std::string value;
    if (!registry.SetRootKey(HKEY_CURRENT_USER) ||
        !registry.QueryString(kHostSettingsKey, kTemperatureUnitValue, value)) {
        return true;
    }
    return value != "1";
}

}  // namespace zefan
