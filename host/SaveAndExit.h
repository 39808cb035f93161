// The one way the host ends normally (tray "Exit", "CLOSE", the session's
// end, SIGTERM): store the window state and the mode, give back every plug-in
// and end the process with code 0.
#pragma once

#include <cstdint>

class IRegistryHives;

struct ExitWindowState {
    int32_t x = 0;
    int32_t y = 0;
    bool topmost = false;
    uint32_t alpha = 0;  // the transparency dialog's level
};

struct ExitModeState {
    int32_t mode = 0;
    bool autoPace = false;
};

// Port: the steps the main frame performs itself.
class IExitFrame {
public:
    virtual ~IExitFrame() = default;
    virtual void StoreInitialSkin() = 0;     // the current skin file as next start's skin
    virtual void StopMainTimer() = 0;        // timer 1
    virtual void DeactivatePluginView() = 0; // the view's "active" flag
    virtual ExitWindowState WindowState() = 0;
    virtual void UnloadPlugins() = 0;
    virtual ExitModeState ModeState() = 0;   // read after the plug-ins are gone
    virtual void DeleteTrayIcon() = 0;
    virtual void EndProcess(int exitCode) = 0;
};

class CSaveAndExit {
public:
    // hives null: the process's registry hives.
    explicit CSaveAndExit(IExitFrame& frame, IRegistryHives* hives = nullptr)
        : frame_(frame), hives_(hives) {}

    // Runs once: a request that arrives while the sequence is under way (a
    // SIGTERM during "CLOSE", a plug-in reacting to its release) or after it
    // changes nothing, so no plug-in is released twice.
    void Run();
    bool HasRun() const { return started_; }

private:
    IExitFrame& frame_;
    IRegistryHives* hives_;
    bool started_ = false;
};
