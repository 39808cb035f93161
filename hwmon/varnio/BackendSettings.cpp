#include "hwmon/varnio/BackendSettings.h"

#include "common/RegistryAccess.h"

namespace hwmon {

BackendSettings ReadBackendSettings()
{
    CRegistryAccess registry;
    BackendSettings settings;
    if (!registry.SetRootKey(HKEY_LOCAL_MACHINE)) {
        return settings;
    }
    registry.QueryString(kVarnioKey, kBackendValue, settings.backend);
    registry.QueryString(kVarnioKey, kStateFileValue, settings.stateFile);
    registry.QueryString(kVarnioKey, kChipIdValue, settings.chipId);
    registry.QueryString(kVarnioKey, kSocketValue, settings.socket);
    return settings;
}

const std::string& BackendSettings::SocketPath() const
{
    static const std::string kDefault = kDefaultServiceSocket;
    return socket.empty() ? kDefault : socket;
}

std::string DefaultStateFile(const EnvironmentLookup& env, unsigned userId)
{
    const char* registryDir = env("VELMAR_REGISTRY_DIR");
    if (registryDir != nullptr && *registryDir != '\0') {
        return std::string(registryDir) + "/varnio-sim.state";
    }
    const char* runtimeDir = env("XDG_RUNTIME_DIR");
    if (runtimeDir != nullptr && *runtimeDir != '\0') {
        return std::string(runtimeDir) + "/varnio-sim.state";
    }
    return "/tmp/varnio-sim-" + std::to_string(userId) + ".state";
}

}  // namespace hwmon
