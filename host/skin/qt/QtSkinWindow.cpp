#include "QtSkinWindow.h"

#include <QGuiApplication>
#include <QPixmap>

#include "ClickNote.h"
#include "QtSkinButtonWidget.h"

void CQtSkinWindow::Post(std::function<void()> task) {
    if (target_) QMetaObject::invokeMethod(target_, std::move(task), Qt::QueuedConnection);
}

void CQtSkinWindow::Hide() {
    if (target_) target_->hide();
}

void CQtSkinWindow::Show() {
    if (target_) target_->show();
}

void CQtSkinWindow::SetTitle(const std::string& title) {
    if (target_) target_->setWindowTitle(QString::fromStdString(title));
}

void CQtSkinWindow::ApplyOutline(const std::vector<SkinRect>& rects) {
    if (!target_) return;
    // Changing window flags re-creates the native window; only do it when
    // the caption is really there.
    if (target_->isWindow() && !(target_->windowFlags() & Qt::FramelessWindowHint))
        target_->setWindowFlag(Qt::FramelessWindowHint, true);
    target_->setMask(RegionFromRects(rects));
}

void CQtSkinWindow::Move(int x, int y, std::optional<std::pair<int, int>> size) {
    if (!target_) return;
    target_->move(x, y);
    if (size) target_->resize(size->first, size->second);
    target_->raise();
}

bool CQtSkinWindow::PaintBackground(const std::string& path) {
    if (!target_) return false;
    const QPixmap pixmap(QString::fromStdString(path));
    if (pixmap.isNull()) return false;
    if (!background_) background_ = new QLabel(target_);
    background_->setPixmap(pixmap);
    background_->setGeometry(0, 0, pixmap.width(), pixmap.height());
    background_->lower();
    background_->show();
    return true;
}

bool CQtSkinWindow::SupportsOpacity() const {
    const QString platform = QGuiApplication::platformName();
    return target_ && target_->isWindow() && platform != "offscreen" && platform != "minimal";
}

void CQtSkinWindow::SetOpacity(int alpha) {
    if (target_) target_->setWindowOpacity(alpha / 255.0);
}

void CQtSkinWindow::PostFocusRefresh() {
    Post([target = target_] {
        if (!target) return;
        target->clearFocus();
        target->setFocus(Qt::OtherFocusReason);
    });
}

std::unique_ptr<ISkinButtonWidget> CQtSkinWindow::CreateButtonWidget(CSkinButton& button, int controlId) {
    if (!target_) return nullptr;
    return std::make_unique<CQtSkinButtonWidget>(new CQtSkinButton(target_, button, controlId));
}

void CQtSkinWindow::PostSkinClick(CClickNote* note) {
    // Undelivered notes (no handler, window gone) stay in the live-note
    // registry, which frees them at exit.
    if (!clickHandler_) return;
    Post([handler = clickHandler_, note] { handler(note); });
}
