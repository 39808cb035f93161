// The set of hives a process works with: one store per root.
#pragma once

#include "MemoryHiveFile.h"
#include "RegistryStore.h"

class IRegistryHives {
public:
    virtual ~IRegistryHives() = default;
    // Null for a root that has no hive.
    virtual CRegistryStore* Store(HKEY root) = 0;
};

// The user's and the machine's hives, located once from the environment
// (see common/linux/HiveLocations.h), unless an override is installed.
IRegistryHives& ProcessRegistryHives();
// Makes ProcessRegistryHives() answer hives until called again with null.
// The caller keeps hives alive meanwhile.
void OverrideProcessRegistryHives(IRegistryHives* hives);

// Both hives in memory: for tests of everything that stores settings.
class CMemoryRegistryHives : public IRegistryHives {
public:
    explicit CMemoryRegistryHives(CRegistryStore::Reporter reporter = {});
    CRegistryStore* Store(HKEY root) override;

    CMemoryHiveFile currentUserFile{"HKEY_CURRENT_USER (memory)"};
    CMemoryHiveFile localMachineFile{"HKEY_LOCAL_MACHINE (memory)"};

private:
    CRegistryStore currentUser_;
    CRegistryStore localMachine_;
};
