// The user modes' profiles, stored per user under
// "Software\\VARN\\ModeControl" as the strings "User1", "User2", "User3".
#pragma once

#include "modeplugin/ProfileMapping.h"

class IRegistryHives;

namespace modes {

inline constexpr const char* kModeSettingsKey = "Software\\VARN\\ModeControl";
// A profile name is a short word; anything longer is not one.
inline constexpr std::size_t kMaxProfileName = 64;

// Missing, empty or overlong values read as balanced.
UserProfiles ReadUserProfiles(IRegistryHives& hives);
bool WriteUserProfiles(IRegistryHives& hives, const UserProfiles& user);

}  // namespace modes
