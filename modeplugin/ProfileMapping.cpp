#include "modeplugin/ProfileMapping.h"

#include <algorithm>

namespace modes {

namespace {

// The fixed part of the mapping; nullptr: the profile comes from elsewhere.
constexpr std::array<const char*, kModeCount> kFixedProfile = {
    nullptr, kPerformance, kBalanced, kPowerSaver, nullptr, nullptr, nullptr};

// Order in which a profile is shown as a mode: the plain modes first, so
// balanced shows as Normal even when a user mode or Default also holds it.
constexpr std::array<int, kModeCount> kShowingOrder = {kNormal, kQuiet, kTurbo, kUser1, kUser1 + 1, kUser1 + 2,
                                                       kDefault};

}  // namespace

bool Offers(const MachineProfiles& machine, const std::string& profile)
{
    return std::find(machine.offered.begin(), machine.offered.end(), profile) != machine.offered.end();
}

std::string NominalProfile(int mode, const UserProfiles& user, const MachineProfiles& machine)
{
    if (!IsMode(mode)) {
        return {};
    }
    if (kFixedProfile[mode] != nullptr) {
        return kFixedProfile[mode];
    }
    if (IsUserMode(mode)) {
        return user.profiles[mode - kUser1];
    }
    return machine.startProfile;
}

std::string ProfileFor(int mode, const UserProfiles& user, const MachineProfiles& machine)
{
    const std::string nominal = NominalProfile(mode, user, machine);
    // Default is whatever the system had, offered or not.
    if (nominal.empty() || mode == kDefault || machine.offered.empty() || Offers(machine, nominal)) {
        return nominal;
    }
    return kBalanced;
}

int ModeShowing(const std::string& profile, const UserProfiles& user, const MachineProfiles& machine)
{
    for (const int mode : kShowingOrder) {
        if (ProfileFor(mode, user, machine) == profile) {
            return mode;
        }
    }
    return kDefault;
}

}  // namespace modes
