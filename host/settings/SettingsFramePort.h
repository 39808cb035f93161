// What the settings dialog needs of the main frame, kept narrow so the dialog
// can be driven without a main window.
#pragma once

#include "VarnPlugin.h"

#include <string>
#include <vector>

class ISettingsFrame {
public:
    virtual ~ISettingsFrame() = default;
    // Base interfaces of the loaded plug-ins, in load order. The frame keeps
    // the references; the dialog takes and returns its own.
    virtual std::vector<IVARNPlugin*> LoadedPlugins() = 0;
    // The plug-in view INI file named by the current skin.
    virtual std::string PluginIniPath() = 0;
    // The current skin folder, ending in a separator: icon names are appended.
    virtual std::string SkinFolder() = 0;
    // The skin's "TIMER" flag: without an update timer the interval is not editable.
    virtual bool SkinTimer() = 0;
    // Reloads the update interval and restarts the update timers with it.
    virtual void ReloadIntervalAndRestartTimer() = 0;
    // Runs the mode step that a plug-in asked for while its page was edited.
    virtual void ApplyPendingModeStep() = 0;
};
