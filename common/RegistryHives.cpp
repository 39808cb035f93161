#include "RegistryHives.h"

CMemoryRegistryHives::CMemoryRegistryHives(CRegistryStore::Reporter reporter)
    : currentUser_(HKEY_CURRENT_USER, currentUserFile, reporter),
      localMachine_(HKEY_LOCAL_MACHINE, localMachineFile, reporter)
{
}

CRegistryStore* CMemoryRegistryHives::Store(HKEY root)
{
    switch (root) {
    case HKEY_CURRENT_USER: return &currentUser_;
    case HKEY_LOCAL_MACHINE: return &localMachine_;
    default: return nullptr;
    }
}
