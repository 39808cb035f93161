// Main-window double for the frame: records each request in an event log
// ("window ..."), answers a work area and geometry the test sets, and lets
// the test say whether the system offers a move.
#pragma once

#include <string>

#include "EventLog.h"
#include "FramePorts.h"

class CFrameFakeWindow : public IFrameWindow {
public:
    explicit CFrameFakeWindow(CEventLog& log) : log_(log) {}

    std::uint64_t id = 0x1234;
    std::intptr_t widget = 0x5678;
    WorkArea workArea{0, 0, 1280, 994};
    FrameRect geometry{0, 0, 480, 320};
    bool visible = false;
    bool topmost = false;
    bool systemMove = true;
    int exitCode = -1;
    std::string applicationName;
    std::string icon;
    int waitedMs = 0;

    std::uint64_t WindowId() override { return id; }
    std::intptr_t PluginWindowHandle() override { return widget; }
    WorkArea PrimaryWorkArea() override { return workArea; }
    FrameRect Geometry() override { return geometry; }
    void MoveTo(int x, int y) override {
        geometry.x = x;
        geometry.y = y;
        Add("window move " + std::to_string(x) + "," + std::to_string(y));
    }
    void SetTopmost(bool on, bool show) override {
        topmost = on;
        if (show) visible = true;
        Add(std::string("window topmost ") + (on ? "1" : "0") + (show ? " show" : ""));
    }
    void ShowWindow() override {
        visible = true;
        Add("window show");
    }
    bool IsVisible() override { return visible; }
    void Activate() override { Add("window activate"); }
    void RedrawNow() override { Add("window redraw"); }
    void SetIcon(const std::string& path) override { icon = path; }
    void SetApplicationName(const std::string& name) override { applicationName = name; }
    bool StartSystemMove() override {
        Add("window system move");
        return systemMove;
    }
    void Wait(int ms) override {
        waitedMs += ms;
        Add("wait " + std::to_string(ms));
    }
    void EndProcess(int code) override {
        exitCode = code;
        Add("end " + std::to_string(code));
    }
    void HideFromTaskbar() override {
        visible = false;
        Add("window to tray");
    }
    void ShowAndActivate() override {
        visible = true;
        Add("window from tray");
    }

private:
    void Add(const std::string& line) { log_.Add(line); }
    CEventLog& log_;
};
