// The host's operating mode (0-6) kept in step with the mode-control and
// automatic-mode plug-ins, the main page and the plug-in view; and the host's
// reaction to plug-in events. Everything runs on the UI thread and may be
// re-entered from inside a plug-in call: each step reads the members afresh,
// so a nested change runs to completion inside the outer one.
#pragma once

#include <cstdint>
#include <string>

#include "HostEventCallback.h"
#include "ModePorts.h"

class CLoadedPlugins;
class IRegistryHives;

struct OperatingMode {
    int number;
    const char* name;
    int command;  // the hidden mode button's command id
};

inline constexpr int kModeCount = 7;
inline constexpr int kFirstModeCommand = 1016;
extern const OperatingMode kOperatingModes[kModeCount];

inline constexpr int kWarningTimerInTrayMs = 2000;

// Stored settings the mode at start depends on.
struct StartModeSettings {
    std::string changeAtStart;  // "ChangeAtStart"
    std::string autoPace;       // "AutoPace"
    bool hasMode = false;       // "Mode" could be read
    int32_t mode = 0;
};

// "ChangeAtStart", "AutoPace" and "Mode" from the user's host key (hives
// null: the process's hives).
StartModeSettings ReadStartModeSettings(IRegistryHives* hives = nullptr);

class COperatingModes : public IPluginEventTarget {
public:
    COperatingModes(const CLoadedPlugins& plugins, ModePorts ports);

    // Members of the main frame, kept here.
    int32_t CurrentMode = 0;
    bool AutoPaceOn = false;
    bool DlgChanged = false;
    bool WarningActive = false;
    bool WindowShown = false;

    // Commands 1016-1022; false for any other command (nothing happens).
    bool OnModeCommand(int command);
    void ChangeMode(int mode);
    // After the settings dialog's OK or Apply: apply CurrentMode without a
    // script call or view refresh.
    void ApplyModeAfterSettings();
    // "EXTERNAL_MODE_CHANGE".
    void OnExternalModeChange();
    // The page's "autopace" after a navigation command.
    void SetAutoPaceFromPage(const std::string& autopace);
    // The first main-page completion, after the plug-ins are loaded: the
    // stored mode and automatic selection, then the page's mode display.
    void RestoreAtStart(const StartModeSettings& settings);

    // PluginEventCallback's reaction; always 0.
    int32_t OnPluginEvent(const char* sender, const char* event, int32_t value) override;

    // The rows of the event table, one each.
    void OnAutoPaceChoice(int32_t value);
    void OnHardwareWarning(int32_t value);
    void OnDialogChanged(int32_t value);
    void OnModeReported(int32_t value);

private:
    void ApplyStep(int mode);
    void BeginChangeMode(int mode);

    const CLoadedPlugins& plugins_;
    ModePorts ports_;
};
