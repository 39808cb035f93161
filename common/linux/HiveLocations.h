// Where the hive files live.
//
//   HKEY_CURRENT_USER   $XDG_CONFIG_HOME/velmar/HKEY_CURRENT_USER.reg
//                       (~/.config when XDG_CONFIG_HOME is unset or relative)
//   HKEY_LOCAL_MACHINE  /etc/velmar/HKEY_LOCAL_MACHINE.reg
//
// VELMAR_REGISTRY_DIR, when set, holds both files instead, so tests, the demo
// and a staged install never touch the user's or the machine's own hives.
#pragma once

#include <string>

struct HiveLocations {
    std::string currentUser;
    std::string localMachine;
};

// Pure resolution from the variables' values (null = unset). home is the
// user's home folder; an empty currentUser means none could be found.
HiveLocations ResolveHiveLocations(const char* registryDir, const char* xdgConfigHome, const char* home);

// Both hives in one folder.
HiveLocations HiveLocationsIn(const std::string& folder);

// From the environment, falling back to the password database for the home folder.
HiveLocations HiveLocationsFromEnvironment();
