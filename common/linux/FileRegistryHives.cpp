#include "FileRegistryHives.h"

#include <atomic>

CFileRegistryHives::CFileRegistryHives(const HiveLocations& where, CRegistryStore::Reporter reporter)
    : currentUserFile_(where.currentUser),
      localMachineFile_(where.localMachine),
      currentUser_(HKEY_CURRENT_USER, currentUserFile_, reporter),
      localMachine_(HKEY_LOCAL_MACHINE, localMachineFile_, reporter)
{
}

CRegistryStore* CFileRegistryHives::Store(HKEY root)
{
    switch (root) {
    case HKEY_CURRENT_USER: return &currentUser_;
    case HKEY_LOCAL_MACHINE: return &localMachine_;
    default: return nullptr;
    }
}

namespace {

std::atomic<IRegistryHives*> g_override{nullptr};

}  // namespace

IRegistryHives& ProcessRegistryHives()
{
    if (IRegistryHives* hives = g_override.load())
        return *hives;
    // Located once: the environment does not change under a running program.
    static CFileRegistryHives hives(HiveLocationsFromEnvironment());
    return hives;
}

void OverrideProcessRegistryHives(IRegistryHives* hives)
{
    g_override.store(hives);
}
