#include "SpecialPlugins.h"

#include "VarnPlugin.h"

namespace {
constexpr SpecialPlugin kSpecialPlugins[] = {
    {VARN_PLUGIN_VOICE, SpecialRole::Initialised, kVoiceSlot},
    {VARN_PLUGIN_COURIER, SpecialRole::Initialised, kCourierSlot},
    {VARN_PLUGIN_CHAT, SpecialRole::Initialised, kChatSlot},
    {VARN_PLUGIN_KAVOCLOCK, SpecialRole::Initialised, kClockSlot},
    {VARN_PLUGIN_OCCTRL, SpecialRole::ModeControl, kModeControlSlot},
    {VARN_PLUGIN_AUTOPACE, SpecialRole::AutoPace, kAutoPaceSlot},
};
}  // namespace

const SpecialPlugin* FindSpecialPlugin(std::string_view identifier) {
    for (const SpecialPlugin& special : kSpecialPlugins)
        if (identifier == special.identifier) return &special;
    return nullptr;
}
