// Plug-in view window double: an in-memory page, composed window and timers,
// and a visible flag that also depends on the main window's (a child is not
// visible while its parent is in the tray). The factory keeps the last view.
#pragma once

#include "EventLog.h"
#include "FakeScriptPage.h"
#include "FakeSkinWindow.h"
#include "FakeTimers.h"
#include "FramePorts.h"

class CFrameFakeViewWindow : public IViewWindow {
public:
    CFrameFakeViewWindow(CEventLog& log, const bool& mainVisible) : log_(log), mainVisible_(mainVisible) {
        window.visible = false;
    }

    CFakeSkinWindow window;
    CFakeScriptPage page;
    CFakeTimers timers;
    bool shown = false;
    int pageLoads = 0;

    void LoadPage() override {
        ++pageLoads;
        log_.Add("view page load");
    }
    void ShowView() override {
        shown = true;
        log_.Add("view show");
    }
    void HideView() override {
        shown = false;
        log_.Add("view hide");
    }
    bool IsVisible() override { return shown && mainVisible_; }
    bool IsShown() override { return shown; }
    ISkinWindow& SkinWindow() override { return window; }
    IScriptPage& Page() override { return page; }
    ITimers& Timers() override { return timers; }

private:
    CEventLog& log_;
    const bool& mainVisible_;
};

class CFrameFakeViewFactory : public IViewWindowFactory {
public:
    CFrameFakeViewFactory(CEventLog& log, const bool& mainVisible) : log_(log), mainVisible_(mainVisible) {}
    CFrameFakeViewWindow* last = nullptr;
    int created = 0;
    std::unique_ptr<IViewWindow> CreateViewWindow() override {
        ++created;
        log_.Add("view created");
        auto view = std::make_unique<CFrameFakeViewWindow>(log_, mainVisible_);
        last = view.get();
        return view;
    }

private:
    CEventLog& log_;
    const bool& mainVisible_;
};
