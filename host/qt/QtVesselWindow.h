// The main window on Qt: a frameless top-level HTML window that reports its
// moves, mouse-downs on page elements and the end of a system move to the
// frame, and answers the frame's window requests.
#pragma once

#include <QPointer>
#include <QTimer>
#include <chrono>

#include "FramePorts.h"
#include "QtHtmlWindow.h"
#include "QtMessageBox.h"

class CHtmlVesselDlg;

class CQtVesselWindow : public CQtHtmlWindow, public IFrameWindow {
    Q_OBJECT
public:
    CQtVesselWindow();
    ~CQtVesselWindow() override;

    void Attach(CHtmlVesselDlg* frame);
    // Milliseconds from the program's start to the window's first showing;
    // -1 while it has not been shown.
    void SetProgramStart(std::chrono::steady_clock::time_point start) { programStart_ = start; }
    double ShownAfterMs() const { return shownAfterMs_; }
    CQtMessageBox& Messages() { return messages_; }

    // IFrameWindow
    std::uint64_t WindowId() override;
    std::intptr_t PluginWindowHandle() override { return reinterpret_cast<std::intptr_t>(static_cast<QWidget*>(this)); }
    WorkArea PrimaryWorkArea() override;
    FrameRect Geometry() override;
    void MoveTo(int x, int y) override;
    void SetTopmost(bool topmost, bool show) override;
    void ShowWindow() override;
    bool IsVisible() override { return isVisible(); }
    void Activate() override;
    void RedrawNow() override { repaint(); }
    void SetIcon(const std::string& iconPath) override;
    void SetApplicationName(const std::string& name) override;
    bool StartSystemMove() override;
    void Wait(int milliseconds) override;
    void EndProcess(int exitCode) override;
    // ITrayWindow
    void HideFromTaskbar() override { hide(); }
    void ShowAndActivate() override;

protected:
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PollMove();
    QString ElementIdAt(const QPoint& viewPosition);

    CHtmlVesselDlg* frame_ = nullptr;
    CQtMessageBox messages_;
    QTimer movePoll_;
    QPoint lastPollPosition_;
    int stillPolls_ = 0;
    std::chrono::steady_clock::time_point programStart_ = std::chrono::steady_clock::now();
    double shownAfterMs_ = -1;
};
