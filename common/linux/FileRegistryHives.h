// Both hives as files at the given locations.
#pragma once

#include "FileHiveFile.h"
#include "HiveLocations.h"
#include "RegistryHives.h"

class CFileRegistryHives : public IRegistryHives {
public:
    explicit CFileRegistryHives(const HiveLocations& where, CRegistryStore::Reporter reporter = {});
    CRegistryStore* Store(HKEY root) override;

private:
    CFileHiveFile currentUserFile_;
    CFileHiveFile localMachineFile_;
    CRegistryStore currentUser_;
    CRegistryStore localMachine_;
};
