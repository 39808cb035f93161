// The plug-in view's child window: a second HTML window with page 105 and
// timers of its own.
#pragma once

#include <QPointer>

#include "FramePorts.h"
#include "QtHtmlWindow.h"
#include "QtTimers.h"

class CQtViewWindow : public IViewWindow {
public:
    CQtViewWindow(QWidget* parent, QString baseFolder);
    ~CQtViewWindow() override;

    void LoadPage() override;
    void ShowView() override;
    void HideView() override;
    bool IsVisible() override;
    bool IsShown() override;
    ISkinWindow& SkinWindow() override { return window_->Window(); }
    IScriptPage& Page() override { return window_->Page(); }
    ITimers& Timers() override { return timers_; }

    CQtHtmlWindow* Widget() const { return window_; }

private:
    CQtHtmlWindow* window_;
    QString baseFolder_;
    CQtTimers timers_;
};

class CQtViewWindowFactory : public IViewWindowFactory {
public:
    CQtViewWindowFactory(QWidget* parent, QString baseFolder) : parent_(parent), baseFolder_(std::move(baseFolder)) {}
    std::unique_ptr<IViewWindow> CreateViewWindow() override;
    // Receives the view's "NORMAL_SKIN_CLICK" notes.
    void SetClickHandler(std::function<void(void*)> handler) { clickHandler_ = std::move(handler); }
    // The last view made, for the adapters that route its clicks.
    CQtViewWindow* Last() const { return last_; }

private:
    QWidget* parent_;
    QString baseFolder_;
    CQtViewWindow* last_ = nullptr;
    std::function<void(void*)> clickHandler_;
};
