// Tray doubles for the frame: the icon port, its timers and a clock that
// stand still, each logged ("tray ...").
#pragma once

#include <map>
#include <string>

#include "EventLog.h"
#include "TimerPort.h"
#include "TrayPorts.h"

class CFrameFakeTrayIcon : public ITrayIconPort {
public:
    explicit CFrameFakeTrayIcon(CEventLog& log) : log_(log) {}
    bool shown = false;
    bool trayPresent = true;  // false: a desktop without a tray
    bool singleActivation = false;
    std::string icon;
    std::string tooltip;
    bool Add(const TrayIcon& i, const std::string& tip) override {
        if (!trayPresent) return false;
        shown = true;
        icon = i;
        tooltip = tip;
        log_.Add("tray add " + tip);
        return true;
    }
    bool Modify(const TrayIcon& i) override {
        icon = i;
        return shown;
    }
    bool Remove() override {
        log_.Add("tray remove");
        const bool was = shown;
        shown = false;
        return was;
    }
    void PopupMenu(const std::vector<TrayMenuEntry>&) override { log_.Add("tray menu"); }
    bool TrayUsable() override { return trayPresent && shown; }
    bool SingleActivation() override { return singleActivation; }

private:
    CEventLog& log_;
};

class CFrameFakeTimerPort : public ITimerPort {
public:
    std::map<int, int> running;  // id -> period
    bool Start(int id, int periodMs, ITimerSink&) override {
        running[id] = periodMs;
        return true;
    }
    void Stop(int id) override { running.erase(id); }
};

class CFrameFakeClock : public IClock {
public:
    double now = 100.0;
    double NowSeconds() override { return now; }
};
