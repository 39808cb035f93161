#include "DesktopSession.h"

std::string ChooseQtPlatform(const SessionFacts& facts) {
    if (!facts.chosenPlatform.empty() || facts.platformArgument) return {};
    const bool wayland = !facts.waylandDisplay.empty() || facts.sessionType == "wayland";
    if (!wayland) return {};
    return facts.display.empty() ? "wayland" : "xcb";
}

bool HasPlatformArgument(const std::vector<std::string>& arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string argument = arguments[i];
        if (argument.starts_with("--")) argument.erase(0, 1);
        if (argument == "-platform") return true;
    }
    return false;
}

std::string SessionLimitsLine(const std::string& platformName) {
    if (!platformName.starts_with("wayland")) return {};
    return "This Wayland session cannot give the window: positions and snapping, stay on top, "
           "the shaped outline, opacity";
}
