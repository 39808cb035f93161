// The registry hives a plug-in library hands its objects: the process's
// hives, asked for at every access, so an override installed after the
// object was made (a test's, say) is honoured. The store is a shared library
// (libvelmar_registry.so), so these are the host's hives, and what a page
// stores while the host has a batch open is written with the batch.
#pragma once

#include "RegistryHives.h"

namespace pluginkit {

class CProcessHives : public IRegistryHives {
public:
    CRegistryStore* Store(HKEY root) override { return ProcessRegistryHives().Store(root); }
};

}  // namespace pluginkit
