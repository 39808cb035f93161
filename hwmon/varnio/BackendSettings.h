// Which backend libvarnio uses, from the machine-wide registry store:
// HKEY_LOCAL_MACHINE "SOFTWARE\\VARN\\VARNIO", values "Backend" ("simulated"
// or "direct"; absent = simulated), "StateFile" (the simulated chip's state)
// and "ChipId" ("0xA1" or "0xC1", the simulated chip's id; absent = 0xA1).
#pragma once

#include <functional>
#include <string>

namespace hwmon {

inline constexpr const char* kVarnioKey = "SOFTWARE\\VARN\\VARNIO";
inline constexpr const char* kBackendValue = "Backend";
inline constexpr const char* kStateFileValue = "StateFile";
inline constexpr const char* kChipIdValue = "ChipId";

struct BackendSettings {
    std::string backend;    // as stored; empty when absent
    std::string stateFile;  // empty when absent
    std::string chipId;     // empty when absent
};

BackendSettings ReadBackendSettings();

using EnvironmentLookup = std::function<const char*(const char*)>;

// Beside the registry hives when VELMAR_REGISTRY_DIR is set (tests, demos),
// else in the user's runtime folder, else in /tmp with the user id in the
// name so users do not share one file.
std::string DefaultStateFile(const EnvironmentLookup& env, unsigned userId);

}  // namespace hwmon
