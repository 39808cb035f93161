// Which backend libvarnio uses, from the machine-wide registry store:
// HKEY_LOCAL_MACHINE "SOFTWARE\\VARN\\VARNIO", values "Backend" ("service",
// "simulated" or "direct"; absent = the service when its socket exists, the
// simulated chip otherwise), "Socket" (the service's socket; absent =
// /run/velmar/portd.sock), "StateFile" (the simulated chip's state) and
// "ChipId" ("0xA1" or "0xC1", the simulated chip's id; absent = 0xA1).
#pragma once

#include <functional>
#include <string>

namespace hwmon {

inline constexpr const char* kVarnioKey = "SOFTWARE\\VARN\\VARNIO";
inline constexpr const char* kBackendValue = "Backend";
inline constexpr const char* kStateFileValue = "StateFile";
inline constexpr const char* kChipIdValue = "ChipId";
inline constexpr const char* kSocketValue = "Socket";
// Where velmar-portd.socket listens.
inline constexpr const char* kDefaultServiceSocket = "/run/velmar/portd.sock";

struct BackendSettings {
    std::string backend;    // as stored; empty when absent
    std::string stateFile;  // empty when absent
    std::string chipId;     // empty when absent
    std::string socket;     // empty when absent

    const std::string& SocketPath() const;
};

BackendSettings ReadBackendSettings();

using EnvironmentLookup = std::function<const char*(const char*)>;

// Beside the registry hives when VELMAR_REGISTRY_DIR is set (tests, demos),
// else in the user's runtime folder, else in /tmp with the user id in the
// name so users do not share one file.
std::string DefaultStateFile(const EnvironmentLookup& env, unsigned userId);

}  // namespace hwmon
