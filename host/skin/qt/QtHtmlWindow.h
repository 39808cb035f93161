// A window whose whole face is an HTML page (the main window and the
// plug-in view both are): a web view filling the widget, with the page and
// window ports for a CSkinEngine. Skinned buttons become children of this
// widget, above the view.
#pragma once

#include <QWebEngineView>
#include <QWidget>
#include <memory>

#include "QtSkinWindow.h"
#include "QtWebPage.h"

class CQtHtmlWindow : public QWidget {
    Q_OBJECT
public:
    // Top-level windows are frameless; a parent makes it a child window.
    explicit CQtHtmlWindow(QWidget* parent = nullptr);
    ~CQtHtmlWindow() override;

    // Call before the QApplication exists: web views share GL contexts, and
    // a process running as root turns the engine's sandbox off (it refuses
    // to start otherwise).
    static void PrepareProcess();

    // Shows page resource 104 or 105 with a file: base URL of baseFolder, so
    // the absolute file paths composition writes can load. False for an
    // unknown resource.
    bool LoadPageResource(int id, const QString& baseFolder);

    CQtWebPage& Page() { return *page_; }
    CQtSkinWindow& Window() { return window_; }
    QWebEngineView* View() const { return view_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWebEngineView* view_;
    CNavigationPage* webPage_;
    CQtWebPage* page_;
    CQtSkinWindow window_;
};
