// Exit-frame double: records each step, answers the states it is given and
// can ask for the exit again from inside a step.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "SaveAndExit.h"

class CRecordingExitFrame : public IExitFrame {
public:
    std::vector<std::string> steps;
    ExitWindowState window;
    ExitModeState mode;
    std::function<void()> duringUnload;
    int exitCode = -1;

    void StoreInitialSkin() override { steps.push_back("store skin"); }
    void StopMainTimer() override { steps.push_back("stop timer 1"); }
    void DeactivatePluginView() override { steps.push_back("view inactive"); }
    ExitWindowState WindowState() override {
        steps.push_back("window state");
        return window;
    }
    void UnloadPlugins() override {
        steps.push_back("unload");
        if (duringUnload) duringUnload();
    }
    ExitModeState ModeState() override {
        steps.push_back("mode state");
        return mode;
    }
    void DeleteTrayIcon() override { steps.push_back("tray icon"); }
    void EndProcess(int code) override {
        steps.push_back("end " + std::to_string(code));
        exitCode = code;
    }
};
