// Which Qt platform the host runs on in the user's session, and what the
// window cannot do there. The window places itself ("PosX"/"PosY", edge
// snapping), stays on top ("TOP"), takes the skin's shaped outline and its
// opacity: X11 gives all of that, a Wayland session none of it to a client.
// Pure functions of the session's facts, decided before Qt starts.
#pragma once

#include <string>
#include <vector>

struct SessionFacts {
    std::string waylandDisplay;   // $WAYLAND_DISPLAY
    std::string display;          // $DISPLAY (XWayland on a Wayland session)
    std::string sessionType;      // $XDG_SESSION_TYPE
    std::string chosenPlatform;   // $QT_QPA_PLATFORM
    bool platformArgument = false;  // -platform on the command line
};

// The platform to put in QT_QPA_PLATFORM before the application object
// exists, or "" to leave Qt's own choice. A platform the user chose is
// never overridden. On a Wayland session with XWayland the host runs on X11
// through it; with Wayland alone it runs on Wayland (Qt would otherwise try
// X11 and give up without a display).
std::string ChooseQtPlatform(const SessionFacts& facts);

// "-platform name" (or "--platform name") among the arguments, as Qt reads them.
bool HasPlatformArgument(const std::vector<std::string>& arguments);

// The About dialog's note for a platform: what the session cannot give the
// window; "" where nothing is missing.
std::string SessionLimitsLine(const std::string& platformName);
