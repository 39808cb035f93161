// Doubles of the mode ports: every request is appended to one event list
// (and, through the optional sink, to a journal shared with the recording
// plug-ins, so host and plug-in calls are seen in one order).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ModePorts.h"

class CRecordingModePorts : public IModePage, public IModeView, public IWarningTray,
                            public IWarningTimer, public ISettingsApply {
public:
    std::vector<std::string> events;
    std::function<void(const std::string&)> sink;

    void CallScript(const std::string& name, const std::string& a, const std::string& b) override {
        Record("script " + name + " " + a + " " + b);
    }
    void ShowViewDocument(int mode) override { Record("view " + std::to_string(mode)); }
    void StartAnimation() override { Record("tray start"); }
    void EndAnimation() override { Record("tray end"); }
    void Start(int periodMs) override { Record("timer2 start " + std::to_string(periodMs)); }
    void Stop() override { Record("timer2 stop"); }
    void EnableApply(bool enable) override { Record(std::string("apply ") + (enable ? "on" : "off")); }

    ModePorts Ports() { return ModePorts{*this, *this, *this, *this, *this}; }

private:
    void Record(const std::string& event) {
        events.push_back(event);
        if (sink) sink(event);
    }
};
