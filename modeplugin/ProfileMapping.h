// What each mode means on this machine: Default keeps the profile that was
// active when Velmar started, Turbo is performance, Normal balanced, Quiet
// power-saver, and the user modes are whatever the user chose. A profile the
// machine does not offer falls back to balanced, which every daemon has.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "modeplugin/OperatingModes.h"
#include "modeplugin/PowerProfiles.h"

namespace modes {

struct UserProfiles {
    std::array<std::string, kUserModeCount> profiles{kBalanced, kBalanced, kBalanced};
    bool operator==(const UserProfiles&) const = default;
};

struct MachineProfiles {
    std::string startProfile;           // "" until the daemon was first heard
    std::vector<std::string> offered;   // empty while unknown
};

// The profile mode asks for before the machine's offer is considered; "" for
// Default while the start profile is unknown.
std::string NominalProfile(int mode, const UserProfiles& user, const MachineProfiles& machine);

// The profile mode asks for on this machine.
std::string ProfileFor(int mode, const UserProfiles& user, const MachineProfiles& machine);

// The mode a profile shows as when no chosen mode holds it: the first of
// Normal, Quiet, Turbo, the user modes and Default that asks for it; Default
// for a profile none asks for.
int ModeShowing(const std::string& profile, const UserProfiles& user, const MachineProfiles& machine);

bool Offers(const MachineProfiles& machine, const std::string& profile);

}  // namespace modes
