// Port: the desktop's power profiles as a system service offers them
// ("power-saver", "balanced", "performance", or names we do not know). The
// adapter (qt/QtPowerProfiles.h) talks to the daemon asynchronously and
// keeps the last state it heard; nothing here ever waits for the daemon.
#pragma once

#include <string>
#include <vector>

namespace modes {

inline constexpr const char* kPowerSaver = "power-saver";
inline constexpr const char* kBalanced = "balanced";
inline constexpr const char* kPerformance = "performance";

struct ProfilesSnapshot {
    bool connected = false;           // a daemon answered and is still there
    std::string service;              // its bus name
    std::string active;               // "ActiveProfile"
    std::vector<std::string> offered; // "Profiles", in the daemon's order
    std::string degraded;             // "PerformanceDegraded": why performance is held back, or ""
    bool operator==(const ProfilesSnapshot&) const = default;
};

class IPowerProfilesListener {
public:
    virtual ~IPowerProfilesListener() = default;
    // Snapshot() changed: the daemon appeared, vanished or changed a property.
    virtual void OnProfilesChanged() = 0;
    // A RequestProfile was refused (reason: the daemon's or the bus's words).
    virtual void OnProfileRequestFailed(const std::string& profile, const std::string& reason) = 0;
};

class IPowerProfiles {
public:
    virtual ~IPowerProfiles() = default;
    // The listener is called on the host's thread, from its event loop.
    virtual void SetListener(IPowerProfilesListener* listener) = 0;
    virtual const ProfilesSnapshot& Snapshot() const = 0;
    // Asks the daemon for profile and returns at once; the outcome arrives as
    // a change of the active profile or as a failure.
    virtual void RequestProfile(const std::string& profile) = 0;
};

}  // namespace modes
