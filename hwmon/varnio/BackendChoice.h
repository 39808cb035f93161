// Turns the stored settings into the one backend a process uses, and a report
// a user can read: what was asked for, what is active, and why a request was
// refused. A refused backend never falls back to another: every call fails.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "hwmon/PortIo.h"
#include "hwmon/varnio/BackendSettings.h"

namespace hwmon {

inline constexpr const char* kSimulatedBackend = "simulated";
inline constexpr const char* kDirectBackend = "direct";
inline constexpr const char* kNoBackend = "none";

struct BackendReport {
    std::string requested;           // "simulated", "direct" or the stored text
    bool requestedByDefault = false;  // nothing stored
    std::string active;              // "simulated", "direct" or "none"
    std::string refusal;             // empty unless active is "none"
    std::string detail;              // state file, or the chip found
};

struct BackendChoice {
    std::unique_ptr<IPortIo> port;  // never null
    BackendReport report;
};

class IBackendFactory {
public:
    virtual ~IBackendFactory() = default;
    virtual std::unique_ptr<IPortIo> OpenSimulated(const std::string& stateFile, std::uint8_t chipId,
                                                   std::string& detail, std::string& why) = 0;
    virtual std::unique_ptr<IPortIo> OpenDirect(std::string& detail, std::string& why) = 0;
    virtual std::string DefaultStateFile() const = 0;
};

BackendChoice ChooseBackend(const BackendSettings& settings, IBackendFactory& factory);

std::string FormatBackendReport(const BackendReport& report);

// The file this system's programs lock while they work on the chip. The real
// chip is one per machine, so its claim file is machine-wide (direct access
// needs root anyway); a simulated chip is its state file, so its claim file
// lies beside that.
inline constexpr const char* kDirectClaimFile = "/run/lock/velmar-w83627ehf.lock";
std::string ClaimFileFor(const BackendSettings& settings, const std::string& defaultStateFile);

}  // namespace hwmon
