// The registry hives a plug-in library hands its objects: the process's
// hives, asked for at every access, so an override installed after the
// object was made (a test's, say) is honoured.
#pragma once

#include "RegistryHives.h"

namespace pluginkit {

class CProcessHives : public IRegistryHives {
public:
    CRegistryStore* Store(HKEY root) override { return ProcessRegistryHives().Store(root); }
};

}  // namespace pluginkit
