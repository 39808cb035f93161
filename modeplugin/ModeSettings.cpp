#include "modeplugin/ModeSettings.h"

#include <string>

#include "common/RegistryAccess.h"

namespace modes {

namespace {

std::string ValueName(int user)
{
    return "User" + std::to_string(user + 1);
}

}  // namespace

UserProfiles ReadUserProfiles(IRegistryHives& hives)
{
    UserProfiles user;
    CRegistryAccess registry(hives, CRegistryAccess::Edition::Plugin);
    if (!registry.SetRootKey(HKEY_CURRENT_USER)) {
        return user;
    }
    for (int i = 0; i < kUserModeCount; ++i) {
        std::string stored;
        if (registry.QueryString(kModeSettingsKey, ValueName(i), stored) && !stored.empty() &&
            stored.size() <= kMaxProfileName) {
            user.profiles[i] = stored;
        }
    }
    return user;
}

bool WriteUserProfiles(IRegistryHives& hives, const UserProfiles& user)
{
    CRegistryAccess registry(hives, CRegistryAccess::Edition::Plugin);
    bool stored = registry.SetRootKey(HKEY_CURRENT_USER);
    for (int i = 0; i < kUserModeCount && stored; ++i) {
        stored = registry.SetString(kModeSettingsKey, ValueName(i), user.profiles[i]);
    }
    return stored;
}

}  // namespace modes
