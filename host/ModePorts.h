// Ports: what the operating modes need of the main frame.
#pragma once

#include <string>

// The main page's scripts ("BeginChangeMode", "SetAutoPace").
class IModePage {
public:
    virtual ~IModePage() = default;
    virtual void CallScript(const std::string& name, const std::string& argument1,
                            const std::string& argument2) = 0;
};

// The plug-in view: fetch the view plug-in's document with mode and render it
// into the view.
class IModeView {
public:
    virtual ~IModeView() = default;
    virtual void ShowViewDocument(int mode) = 0;
};

// The tray icon's warning animation.
class IWarningTray {
public:
    virtual ~IWarningTray() = default;
    // 888 ms frames, endless.
    virtual void StartAnimation() = 0;
    // Ends the animation and puts the skin's icon back.
    virtual void EndAnimation() = 0;
};

// The main window's timer 2: the warning while the window is in the tray.
class IWarningTimer {
public:
    virtual ~IWarningTimer() = default;
    virtual void Start(int periodMs) = 0;
    virtual void Stop() = 0;
};

// The settings dialog's Apply button.
class ISettingsApply {
public:
    virtual ~ISettingsApply() = default;
    virtual void EnableApply(bool enable) = 0;
};

struct ModePorts {
    IModePage& page;
    IModeView& view;
    IWarningTray& tray;
    IWarningTimer& warningTimer;
    ISettingsApply& settings;
};
