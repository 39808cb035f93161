// The desktops users have, for end-to-end tests: an X server of the test's
// own (Xvfb on a free display), optionally a real window manager (openbox)
// and a real XEmbed tray (trayer), and a private session bus; or a Wayland
// compositor (weston's headless backend) with XWayland. Every program is
// ended when the session object goes, whatever the test did.
//
//   DesktopSession desktop;
//   ASSERT_TRUE(desktop.Start(folder, {.windowManager = true, .tray = true})) << desktop.Problem();
//   desktop.Export();                        // DISPLAY and the buses for Velmar
//   ... start Velmar (VelmarProcess.h) ...
//   auto icon = desktop.DockedIcon("Velmar", 10s);   // where the tray shows its icon
//   desktop.X("xdotool mousemove 10 10 click 1");
#pragma once

#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "PrivateBus.h"
#include "VelmarProcess.h"

namespace velmar_e2e {

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int CentreX() const { return x + width / 2; }
    int CentreY() const { return y + height / 2; }
};

struct DesktopOptions {
    bool windowManager = true;  // openbox
    bool tray = false;          // trayer, an XEmbed system tray
};

class DesktopSession {
public:
    // folder: where the programs' logs and the bus socket go.
    bool Start(const std::string& folder, DesktopOptions options = {}) {
        folder_ = folder;
        if (!StartX()) return false;
        if (!bus_.Start(folder_ + "/session-bus")) return Fail("the private session bus did not start");
        if (options.windowManager) {
            if (!wm_.Start({"openbox", "--sm-disable"}, folder_ + "/openbox.log", {{"DISPLAY", display_}}))
                return Fail("openbox did not start");
            if (!WaitFor([this] { return X("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") != std::string::npos; },
                         std::chrono::seconds(15)))
                return Fail("openbox never managed the screen: " + wm_.Log());
        }
        if (options.tray) {
            if (!tray_.Start({"trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height", "32",
                              "--transparent", "false", "--expand", "true"},
                             folder_ + "/trayer.log", {{"DISPLAY", display_}}))
                return Fail("trayer did not start");
            if (!WaitFor([this] { return X("xwininfo -root -tree").find("(\"panel\" \"trayer\")") != std::string::npos; },
                         std::chrono::seconds(15)))
                return Fail("trayer never showed its panel: " + tray_.Log());
        }
        return true;
    }

    // This process's environment, which Velmar inherits: the display, this
    // session's bus as the session bus and (with nothing on it) as the
    // system bus, so nothing reaches the machine's own; no Wayland.
    void Export() const {
        setenv("DISPLAY", display_.c_str(), 1);
        setenv("DBUS_SESSION_BUS_ADDRESS", bus_.Address().c_str(), 1);
        setenv("DBUS_SYSTEM_BUS_ADDRESS", bus_.Address().c_str(), 1);
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("QT_QPA_PLATFORM");
        unsetenv("XDG_SESSION_TYPE");
    }

    const std::string& Display() const { return display_; }
    const PrivateBus& SessionBus() const { return bus_; }
    const std::string& Problem() const { return problem_; }

    // A command's output, run against this display.
    std::string X(const std::string& command) const { return Shell("DISPLAY=" + display_ + " " + command + " 2>&1"); }

    // The icon of the program whose windows have class windowClass, docked in
    // the tray: where it is on screen. Waits up to limit for it to appear.
    std::optional<ScreenRect> DockedIcon(const std::string& windowClass, std::chrono::milliseconds limit) const {
        std::optional<ScreenRect> found;
        WaitFor([&] { return (found = FindDockedIcon(windowClass)).has_value(); }, limit);
        return found;
    }

    // The screen's pixels in rect, 3 bytes (R, G, B) each.
    std::string Grab(const ScreenRect& rect) const {
        std::ostringstream crop;
        crop << rect.width << 'x' << rect.height << '+' << rect.x << '+' << rect.y;
        return ShellBytes("DISPLAY=" + display_ + " import -silent -window root -crop " + crop.str() +
                          " -depth 8 rgb:- 2>/dev/null");
    }

    // WM_STATE of a window: "Normal", "Iconic", "Withdrawn" or "" when it has none.
    std::string WindowState(const std::string& windowId) const {
        const std::string out = X("xprop -id " + windowId + " WM_STATE");
        const std::size_t at = out.find("window state: ");
        if (at == std::string::npos) return "";
        const std::size_t end = out.find('\n', at);
        return out.substr(at + 14, end == std::string::npos ? std::string::npos : end - at - 14);
    }

private:
    bool Fail(const std::string& why) {
        problem_ = why;
        return false;
    }

    bool StartX() {
        int ready[2];
        if (pipe(ready) != 0) return Fail("no pipe");
        const bool started = xvfb_.Start({"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0", "1280x1024x24",
                                          "-nolisten", "tcp", "-noreset"},
                                         folder_ + "/xvfb.log", {}, ready[1]);
        close(ready[1]);
        std::string number;
        pollfd wait{ready[0], POLLIN, 0};
        while (started && poll(&wait, 1, 15000) > 0) {
            char c = 0;
            if (read(ready[0], &c, 1) != 1 || c == '\n') break;
            number += c;
        }
        close(ready[0]);
        if (number.empty()) return Fail("Xvfb gave no display: " + xvfb_.Log());
        display_ = ":" + number;
        return true;
    }

    static std::string ShellBytes(const std::string& command) {
        std::string out;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[4096];
            std::size_t n = 0;
            while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
            pclose(pipe);
        }
        return out;
    }

    // xwininfo's tree: the window of that class nested below trayer's panel,
    // with its place on the root window ("22x30+0+0  +1257+1").
    std::optional<ScreenRect> FindDockedIcon(const std::string& windowClass) const {
        std::istringstream tree(X("xwininfo -root -tree"));
        const std::regex geometry(R"((\d+)x(\d+)[+-]\d+[+-]\d+\s+([+-]\d+)([+-]\d+))");
        const std::string classes = "(\"" + windowClass + "\" \"" + windowClass + "\")";
        std::size_t panelIndent = std::string::npos;
        for (std::string line; std::getline(tree, line);) {
            const std::size_t indent = line.find_first_not_of(' ');
            if (line.find("(\"panel\" \"trayer\")") != std::string::npos) {
                panelIndent = indent;
                continue;
            }
            if (panelIndent == std::string::npos) continue;
            if (indent <= panelIndent) panelIndent = std::string::npos;  // left the panel
            else if (std::smatch m; line.find(classes) != std::string::npos && std::regex_search(line, m, geometry))
                return ScreenRect{std::stoi(m[3]), std::stoi(m[4]), std::stoi(m[1]), std::stoi(m[2])};
        }
        return std::nullopt;
    }

    std::string folder_;
    std::string display_;
    std::string problem_;
    ChildProcess xvfb_;
    PrivateBus bus_;
    ChildProcess wm_;
    ChildProcess tray_;
};

// weston's headless backend with XWayland, in a runtime folder of its own
// (weston wants one that only its user may enter).
class WaylandSession {
public:
    bool Start(const std::string& folder) {
        runtime_ = folder + "/wayland";
        mkdir(runtime_.c_str(), 0700);
        const std::string log = folder + "/weston.log";
        if (!weston_.Start({"weston", "--backend=headless-backend.so", "--xwayland", "--socket=velmar-wayland",
                            "--log=" + log},
                           folder + "/weston.out",
                           {{"XDG_RUNTIME_DIR", runtime_}, {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}))
            return false;
        const std::regex listening(R"(xserver listening on display (:\d+))");
        return WaitFor(
            [&] {
                std::smatch m;
                const std::string text = ReadFile(log);
                if (!std::regex_search(text, m, listening)) return false;
                xDisplay_ = m[1];
                return access(Socket().c_str(), F_OK) == 0;
            },
            std::chrono::seconds(20));
    }
    // For WAYLAND_DISPLAY: a full path, so clients need not share the runtime folder.
    std::string Socket() const { return runtime_ + "/velmar-wayland"; }
    const std::string& XDisplay() const { return xDisplay_; }
    std::string Log() const { return weston_.Log(); }

private:
    std::string runtime_;
    std::string xDisplay_;
    ChildProcess weston_;
};

}  // namespace velmar_e2e
