// Turns the stored settings into the one backend a process uses, and a report
// a user can read: what was asked for, what is active, and why a request was
// refused. A refused backend never falls back to another: every call fails.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "hwmon/PortIo.h"
#include "hwmon/varnio/BackendSettings.h"
#include "hwmon/varnio/BackendStatus.h"

namespace hwmon {

inline constexpr const char* kSimulatedBackend = "simulated";
inline constexpr const char* kDirectBackend = "direct";
inline constexpr const char* kServiceBackend = "service";
inline constexpr const char* kNoBackend = "none";

struct BackendReport {
    std::string requested;           // "service", "simulated", "direct" or the stored text
    bool requestedByDefault = false;  // nothing stored
    std::string active;              // "service", "simulated", "direct" or "none"
    std::string refusal;             // empty unless active is "none"
    std::string detail;              // state file, or the chip found
    std::string chip;                // the chip in a few words: "W83627EHF id 0xA1"
    BackendProblem problem = BackendProblem::None;
    std::string problemSummary;      // the refusal in a few words
};

// What opening a backend tells besides the backend itself.
struct BackendOpening {
    std::string detail;  // the whole description, for hwmonctl
    std::string chip;    // the chip in a few words
    BackendRefusal refusal;
};

struct BackendChoice {
    std::unique_ptr<IPortIo> port;  // never null
    BackendReport report;
};

class IBackendFactory {
public:
    virtual ~IBackendFactory() = default;
    // Each returns null with opening.refusal filled when it cannot open.
    virtual std::unique_ptr<IPortIo> OpenSimulated(const std::string& stateFile, std::uint8_t chipId,
                                                   BackendOpening& opening) = 0;
    virtual std::unique_ptr<IPortIo> OpenDirect(BackendOpening& opening) = 0;
    // The service's client; it connects (again) by itself, so it opens even
    // while the service is not running.
    virtual std::unique_ptr<IPortIo> OpenService(const std::string& socketPath, BackendOpening& opening) = 0;
    virtual bool ServiceSocketExists(const std::string& socketPath) const = 0;
    virtual std::string DefaultStateFile() const = 0;
};

BackendChoice ChooseBackend(const BackendSettings& settings, IBackendFactory& factory);

std::string FormatBackendReport(const BackendReport& report);

// The status of a local backend (simulated or direct, or a refused one) from
// its report; the service's status comes from its connection.
BackendStatus StatusOfReport(const BackendReport& report);

// The stored "ChipId": empty, "0xA1" or "0xC1" (any case, "0x" optional).
bool ParseChipId(const std::string& text, std::uint8_t& id);

// "W83627EHF id 0xA1" for a chip id; the simulated chip and the service say
// their chip in these words.
std::string ShortChipName(std::uint8_t chipId);

// The file this system's programs lock while they work on the chip. The real
// chip is one per machine, so its claim file is machine-wide (direct access
// needs root anyway); a simulated chip is its state file, so its claim file
// lies beside that.
inline constexpr const char* kDirectClaimFile = "/run/lock/velmar-w83627ehf.lock";
// For the local backends; the service keeps the claims of its clients itself.
std::string ClaimFileFor(const BackendSettings& settings, const std::string& defaultStateFile);

}  // namespace hwmon
