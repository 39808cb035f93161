#include "SystemInfoPorts.h"

#include <mutex>

namespace {

std::mutex gPortsMutex;
SystemInfoPorts gInstalled;
SystemInfoPorts gEffective;
bool gResolved = false;

void Resolve()
{
    const SystemInfoPorts defaults = LinuxSystemInfoPorts();
    gEffective.wmi = gInstalled.wmi ? gInstalled.wmi : defaults.wmi;
    gEffective.facts = gInstalled.facts ? gInstalled.facts : defaults.facts;
    gEffective.screen = gInstalled.screen ? gInstalled.screen : defaults.screen;
    gEffective.messages = gInstalled.messages ? gInstalled.messages : defaults.messages;
    gEffective.hives = gInstalled.hives;
    gResolved = true;
}

}  // namespace

const SystemInfoPorts& ProcessSystemInfoPorts()
{
    std::lock_guard lock(gPortsMutex);
    if (!gResolved) Resolve();
    return gEffective;
}

void OverrideProcessSystemInfoPorts(const SystemInfoPorts* ports)
{
    std::lock_guard lock(gPortsMutex);
    gInstalled = ports ? *ports : SystemInfoPorts{};
    Resolve();
}
