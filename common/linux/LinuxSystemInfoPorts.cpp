// The process's default system-information ports: the real system.
#include "LinuxSystemFacts.h"
#include "LinuxSystemMessageBox.h"
#include "LinuxSystemScreen.h"
#include "SysfsWmiProvider.h"
#include "SystemInfoPorts.h"

SystemInfoPorts LinuxSystemInfoPorts()
{
    static CSysfsWmiProvider wmi;
    static CLinuxSystemFacts facts;
    static CLinuxSystemScreen screen;
    static CLinuxSystemMessageBox messages;
    return SystemInfoPorts{&wmi, &facts, &screen, &messages, nullptr};
}
