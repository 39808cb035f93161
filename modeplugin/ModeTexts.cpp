#include "modeplugin/ModeTexts.h"

#include "modeplugin/ModeControl.h"
#include "plugin_api/kit/DataDocument.h"

namespace modes {

namespace {

// How each mode's profile is explained, by mode.
constexpr std::array<const char*, kModeCount> kWhy = {
    ", the profile active when Velmar started", "", "", "", ", chosen in Settings", ", chosen in Settings",
    ", chosen in Settings"};

constexpr const char* kNotConnected = "modes not connected to the system";

using pluginkit::InertText;

}  // namespace

std::string ModeTip(const CModeControl& control, int mode)
{
    if (!IsMode(mode)) {
        return {};
    }
    const std::string name = kModeNames[mode].shown;
    // Profile names and reasons come from the system service.
    const std::string profile = InertText(control.ProfileOf(mode));
    if (!control.System().connected) {
        return name + ": " + (profile.empty() ? "the system's profile" : profile + " profile") + " (" +
               kNotConnected + ")";
    }
    if (profile.empty()) {
        return name + ": the system's profile";
    }
    std::string tip = name + ": " + profile + " profile" + kWhy[mode];
    const MachineProfiles machine = control.Machine();
    const std::string nominal = InertText(NominalProfile(mode, control.User(), machine));
    if (nominal != profile) {
        tip += " (this machine offers no " + nominal + " profile)";
    } else if (profile == kPerformance && !control.System().degraded.empty()) {
        tip += " (held back: " + InertText(control.System().degraded) + ")";
    }
    return tip;
}

std::string ConnectionStatus(const CModeControl& control)
{
    const ProfilesSnapshot& system = control.System();
    if (!system.connected) {
        return "Modes are not connected to the system: no power profiles daemon answers on the system bus. "
               "The mode keys still change the mode Velmar shows.";
    }
    std::string status = "Modes follow the system's power profiles (" + system.service + "); " +
                         (system.active.empty() ? std::string("no profile") : InertText(system.active)) +
                         " is active.";
    if (!Offers(control.Machine(), kPerformance)) {
        status += " This machine offers no performance profile: Turbo uses balanced.";
    }
    if (!control.LastFailure().empty()) {
        status += " Last request refused: " + InertText(control.LastFailure());
    }
    return status;
}

std::string AboutState(const CModeControl& control)
{
    return control.System().connected ? "modes follow power profiles" : kNotConnected;
}

std::string ModeDocument(const CModeControl& control)
{
    pluginkit::CDataDocument document;
    document.AddText("ABOUT", AboutState(control));
    const std::optional<int> current = control.CurrentMode();
    document.AddItem("MODE", "VARNOCCTRL",
                     {{"NAME", current ? kModeNames[*current].shown : ""},
                      {"PROFILE", control.System().connected ? InertText(control.System().active) : "not connected"},
                      {"STATUS", ConnectionStatus(control)}});
    for (int mode = 0; mode < kModeCount; ++mode) {
        document.AddItem("MODE", "MODE_" + std::to_string(mode),
                         {{"NAME", kModeNames[mode].shown},
                          {"PROFILE", InertText(control.ProfileOf(mode))},
                          {"STATUS", ModeTip(control, mode)}});
    }
    for (int mode = 0; mode < kModeCount; ++mode) {
        document.AddItem("TIP", kModeNames[mode].keyId, {{"TEXT", ModeTip(control, mode)}});
    }
    return document.Text();
}

}  // namespace modes
