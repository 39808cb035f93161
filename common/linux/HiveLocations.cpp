#include "HiveLocations.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace {

constexpr const char* kCurrentUserFile = "HKEY_CURRENT_USER.reg";
constexpr const char* kLocalMachineFile = "HKEY_LOCAL_MACHINE.reg";
constexpr const char* kMachineFolder = "/etc/velmar";

bool IsSet(const char* v) { return v && *v; }

std::string Join(std::string folder, const char* name)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder + name;
}

}  // namespace

HiveLocations HiveLocationsIn(const std::string& folder)
{
    return {Join(folder, kCurrentUserFile), Join(folder, kLocalMachineFile)};
}

HiveLocations ResolveHiveLocations(const char* registryDir, const char* xdgConfigHome, const char* home)
{
    if (IsSet(registryDir))
        return HiveLocationsIn(registryDir);
    HiveLocations where;
    where.localMachine = Join(kMachineFolder, kLocalMachineFile);
    // Relative XDG paths are invalid and must be ignored.
    if (IsSet(xdgConfigHome) && xdgConfigHome[0] == '/')
        where.currentUser = Join(Join(xdgConfigHome, "velmar"), kCurrentUserFile);
    else if (IsSet(home))
        where.currentUser = Join(Join(Join(home, ".config"), "velmar"), kCurrentUserFile);
    return where;
}

HiveLocations HiveLocationsFromEnvironment()
{
    const char* home = std::getenv("HOME");
    if (!IsSet(home)) {
        if (const passwd* pw = getpwuid(getuid()))
            home = pw->pw_dir;
    }
    return ResolveHiveLocations(std::getenv("VELMAR_REGISTRY_DIR"), std::getenv("XDG_CONFIG_HOME"), home);
}
