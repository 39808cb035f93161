#include "QtHtmlWindow.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <unistd.h>

#include "EngineFlags.h"
#include "QtPageConfinement.h"
#include "QtPageResources.h"

CQtHtmlWindow::CQtHtmlWindow(QWidget* parent)
    : QWidget(parent, parent ? Qt::Widget : Qt::Window | Qt::FramelessWindowHint),
      view_(new QWebEngineView(this)),
      webPage_(new CNavigationPage(view_)),
      page_(new CQtWebPage(webPage_)),
      window_(this) {
    // Before the page loads anything: a skin's page reaches only the program
    // folder and its skin's folder.
    CQtPageInterceptor::InstallOnDefaultProfile();
    view_->setPage(webPage_);
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    // A file dropped on the page would navigate away from the composed face.
    view_->setAcceptDrops(false);
    view_->setGeometry(rect());
    setFocusProxy(view_);
}

CQtHtmlWindow::~CQtHtmlWindow() = default;

void CQtHtmlWindow::PrepareProcess() {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    const std::string flags = EngineFlags(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").toStdString(), geteuid() == 0);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", QByteArray::fromStdString(flags));
}

bool CQtHtmlWindow::LoadPageResource(int id, const QString& baseFolder) {
    const QString html = PageResourceHtml(id);
    if (html.isEmpty()) return false;
    QString base = baseFolder;
    if (!base.endsWith('/')) base += '/';
    // The pages' base folder is the program folder, whose files they may load.
    ProcessPageConfinement().SetProgramFolder(base.toStdString());
    webPage_->setHtml(html, QUrl::fromLocalFile(base));
    return true;
}

void CQtHtmlWindow::resizeEvent(QResizeEvent* event) {
    view_->setGeometry(0, 0, event->size().width(), event->size().height());
    QWidget::resizeEvent(event);
}
