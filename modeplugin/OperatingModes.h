// The host's seven operating modes as this plug-in knows them: numbers, the
// names shown to the user and the ids the bundled skins give their keys.
#pragma once

#include <array>

namespace modes {

inline constexpr int kDefault = 0;
inline constexpr int kTurbo = 1;
inline constexpr int kNormal = 2;
inline constexpr int kQuiet = 3;
inline constexpr int kUser1 = 4;
inline constexpr int kModeCount = 7;
inline constexpr int kUserModeCount = 3;

struct ModeName {
    const char* name;    // as the host names it
    const char* shown;   // as a person reads it
    const char* keyId;   // the skins' key for it
};

inline constexpr std::array<ModeName, kModeCount> kModeNames = {{
    {"Default", "Default", "MODE_DEFAULT"},
    {"Turbo", "Turbo", "MODE_TURBO"},
    {"Normal", "Normal", "MODE_NORMAL"},
    {"Quiet", "Quiet", "MODE_QUIET"},
    {"User1", "User 1", "MODE_USER1"},
    {"User2", "User 2", "MODE_USER2"},
    {"User3", "User 3", "MODE_USER3"},
}};

inline constexpr bool IsMode(long long value) { return value >= 0 && value < kModeCount; }
inline constexpr bool IsUserMode(int mode) { return mode >= kUser1 && mode < kUser1 + kUserModeCount; }

}  // namespace modes
