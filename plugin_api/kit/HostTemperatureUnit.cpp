#include "plugin_api/kit/HostTemperatureUnit.h"

#include <string>

#include "common/RegistryAccess.h"

namespace pluginkit {

bool ReadPageCelsiusFlag(CRegistryAccess& registry)
{
    std::string value;
    if (!registry.SetRootKey(HKEY_CURRENT_USER) ||
        !registry.QueryString(kHostSettingsKey, kTemperatureUnitValue, value)) {
        return true;
    }
    return value != "1";
}

bool PageShowsCelsius(IRegistryHives& hives, bool lastCommandCelsius)
{
    CRegistryAccess registry(hives, CRegistryAccess::Edition::Plugin);
    std::string stored;
    if (registry.SetRootKey(HKEY_CURRENT_USER) &&
        registry.QueryString(kHostSettingsKey, kTemperatureUnitValue, stored)) {
        return ReadPageCelsiusFlag(registry);
    }
    return lastCommandCelsius;
}

}  // namespace pluginkit
