#include "QtViewWindow.h"

#include "QtPageResources.h"

CQtViewWindow::CQtViewWindow(QWidget* parent, QString baseFolder)
    : window_(new CQtHtmlWindow(parent)), baseFolder_(std::move(baseFolder)), timers_(window_) {
    window_->hide();
}

CQtViewWindow::~CQtViewWindow() = default;  // the parent window owns the widget

void CQtViewWindow::LoadPage() { window_->LoadPageResource(kPluginViewPageResource, baseFolder_); }

void CQtViewWindow::ShowView() {
    window_->show();
    window_->raise();
}

void CQtViewWindow::HideView() { window_->hide(); }

// An iconified main window shows its view to no one: the warning rules of a
// hidden view apply to it as to one in the tray.
bool CQtViewWindow::IsVisible() { return window_->isVisible() && !window_->window()->isMinimized(); }

bool CQtViewWindow::IsShown() { return !window_->isHidden(); }

std::unique_ptr<IViewWindow> CQtViewWindowFactory::CreateViewWindow() {
    auto view = std::make_unique<CQtViewWindow>(parent_, baseFolder_);
    view->Widget()->Window().SetSkinClickHandler(clickHandler_);
    last_ = view.get();
    return view;
}
