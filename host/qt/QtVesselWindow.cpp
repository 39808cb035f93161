#include "QtVesselWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMouseEvent>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include "HtmlVesselDlg.h"

namespace {
// A system move hands the pointer to the window manager, which tells the
// program nothing when it ends; the window standing still this long ends it.
constexpr int kMovePollMs = 100;
constexpr int kStillPollsToEnd = 4;
}  // namespace

CQtVesselWindow::CQtVesselWindow() : messages_(this) {
    setWindowIcon(QIcon(":/icons/130.png"));
    // The native window exists from the start: created later (when its id is
    // first asked for), the window system's late report of its initial size
    // would undo the size the skin gives it.
    create();
    qApp->installEventFilter(this);
    movePoll_.setInterval(kMovePollMs);
    connect(&movePoll_, &QTimer::timeout, this, [this] { PollMove(); });
}

CQtVesselWindow::~CQtVesselWindow() {
    if (qApp) qApp->removeEventFilter(this);
}

void CQtVesselWindow::Attach(CHtmlVesselDlg* frame) { frame_ = frame; }

std::uint64_t CQtVesselWindow::WindowId() { return static_cast<std::uint64_t>(winId()); }

namespace {
WorkArea WorkAreaOf(const QScreen* screen) {
    if (!screen) return {0, 0, 0, 0};
    const QRect area = screen->availableGeometry();
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}
}  // namespace

WorkArea CQtVesselWindow::PrimaryWorkArea() { return WorkAreaOf(QGuiApplication::primaryScreen()); }

std::vector<WorkArea> CQtVesselWindow::ScreenWorkAreas() {
    std::vector<WorkArea> areas{PrimaryWorkArea()};
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen()) areas.push_back(WorkAreaOf(screen));
    return areas;
}

FrameRect CQtVesselWindow::Geometry() { return {x(), y(), width(), height()}; }

void CQtVesselWindow::MoveTo(int x, int y) { move(x, y); }

void CQtVesselWindow::SetTopmost(bool topmost, bool show) {
    // Changing the flag re-creates the native window hidden.
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    if (show || wasVisible) this->show();
}

void CQtVesselWindow::ShowWindow() {
    show();
    raise();
    if (shownAfterMs_ < 0)
        shownAfterMs_ = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - programStart_).count();
}

void CQtVesselWindow::Activate() {
    raise();
    activateWindow();
}

void CQtVesselWindow::SetIcon(const std::string& iconPath) {
    const QIcon icon(QString::fromStdString(iconPath));
    if (!icon.isNull()) setWindowIcon(icon);
}

void CQtVesselWindow::SetApplicationName(const std::string& name) {
    messages_.SetCaption(QString::fromStdString(name));
}

bool CQtVesselWindow::StartSystemMove() {
    QWindow* window = windowHandle();
    if (!window || !window->startSystemMove()) return false;
    lastPollPosition_ = pos();
    stillPolls_ = 0;
    movePoll_.start();
    return true;
}

void CQtVesselWindow::PollMove() {
    if (pos() == lastPollPosition_) {
        if (++stillPolls_ < kStillPollsToEnd) return;
        movePoll_.stop();
        if (frame_) frame_->OnDragEnd();
        return;
    }
    lastPollPosition_ = pos();
    stillPolls_ = 0;
}

void CQtVesselWindow::Wait(int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); }

void CQtVesselWindow::EndProcess(int exitCode) {
    movePoll_.stop();
    QCoreApplication::exit(exitCode);
}

void CQtVesselWindow::ShowAndActivate() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    repaint();
    raise();
    activateWindow();
}

void CQtVesselWindow::Iconify() {
    // The window manager takes no iconify request for a window it does not
    // manage yet, and Qt maps a never-shown window as a normal one: such a
    // window ("Min" at start) is shown and iconified as soon as it is on
    // screen.
    if (!isVisible()) {
        iconifyWhenExposed_ = true;
        show();
        return;
    }
    showMinimized();
}

void CQtVesselWindow::changeEvent(QEvent* event) {
    CQtHtmlWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && frame_) frame_->OnWindowIconified(isMinimized());
}

void CQtVesselWindow::moveEvent(QMoveEvent* event) {
    CQtHtmlWindow::moveEvent(event);
    if (frame_) frame_->OnPositionChanged(event->pos().x(), event->pos().y());
}

void CQtVesselWindow::closeEvent(QCloseEvent* event) {
    // The window system's close is the tray's "Exit": the settings are kept.
    event->ignore();
    if (frame_) frame_->SaveAndExit();
}

QString CQtVesselWindow::ElementIdAt(const QPoint& viewPosition) {
    const std::optional<QVariant> id = Page().Evaluate(
        QString("(function(){var e=document.elementFromPoint(%1,%2);"
                "while(e&&!e.id)e=e.parentElement;return e?e.id:'';})()")
            .arg(viewPosition.x())
            .arg(viewPosition.y()));
    return id ? id->toString() : QString();
}

bool CQtVesselWindow::eventFilter(QObject* watched, QEvent* event) {
    if (iconifyWhenExposed_ && event->type() == QEvent::Expose && watched == windowHandle() &&
        windowHandle()->isExposed()) {
        iconifyWhenExposed_ = false;
        QTimer::singleShot(0, this, [this] { showMinimized(); });
    }
    if (event->type() != QEvent::MouseButtonPress || !frame_) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (!widget || mouse->button() != Qt::LeftButton) return false;
    // Only presses on this window's own page: not its buttons, not the view.
    if (widget != View() && !View()->isAncestorOf(widget)) return false;
    const QPoint inView = widget->mapTo(View(), mouse->position().toPoint());
    frame_->OnMouseDown(ElementIdAt(inView).toStdString());
    return false;
}
