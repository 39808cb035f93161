// The outside world the system-information collector and the WMI helper
// talk to. A process uses the Linux adapters unless something else is
// installed: the host installs its screen and message box, tests install
// doubles.
#pragma once

#include "MessageBox.h"
#include "ScreenInfo.h"
#include "SystemFacts.h"
#include "WmiProvider.h"

class IRegistryHives;

struct SystemInfoPorts {
    IWmiProvider* wmi = nullptr;
    ISystemFacts* facts = nullptr;
    IScreenInfo* screen = nullptr;
    IMessageBox* messages = nullptr;
    // Null: the process's hives (RegistryHives.h).
    IRegistryHives* hives = nullptr;
};

// Every member set: the installed ports, the Linux adapters for the rest.
const SystemInfoPorts& ProcessSystemInfoPorts();
// Installs ports for the process; members left null keep the defaults. Null
// restores the defaults. The caller keeps the ports alive meanwhile.
void OverrideProcessSystemInfoPorts(const SystemInfoPorts* ports);

// The Linux adapters over the real system (common/linux).
SystemInfoPorts LinuxSystemInfoPorts();
