// The plug-ins the host treats specially, by identifier. What the loader does
// for each role is looked up here rather than spread over branches.
#pragma once

#include <string_view>

enum class SpecialRole {
    None,
    Initialised,    // voice, courier, chat, clock: must accept "INITIAL_PLUGIN"
    ModeControl,    // "VARNOCCTRL_PLUGIN": applies and reports modes
    AutoPace,       // "VARNAUTOPACE_PLUGIN": chooses modes by itself
};

struct SpecialPlugin {
    const char* identifier;
    SpecialRole role;
    int slot;  // index into CLoadedPlugins' kept IVARNExtend members
};

inline constexpr int kVoiceSlot = 0;
inline constexpr int kCourierSlot = 1;
inline constexpr int kChatSlot = 2;
inline constexpr int kClockSlot = 3;
inline constexpr int kModeControlSlot = 4;
inline constexpr int kAutoPaceSlot = 5;
inline constexpr int kSpecialSlotCount = 6;

// Exact, case-sensitive identifiers; null when the identifier is ordinary.
const SpecialPlugin* FindSpecialPlugin(std::string_view identifier);
