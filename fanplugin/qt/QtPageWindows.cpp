// The page window factory of the Qt host: the page is a child of the
// QWidget the host passes to CreatePage.
#include <QApplication>
#include <QPointer>

#include <new>

#include "fanplugin/ToolkitPageWindows.h"
#include "fanplugin/qt/FanPageWidget.h"

namespace zefan {
namespace {

class CQtPageWindow final : public IPageWindow {
public:
    explicit CQtPageWindow(CFanPageWidget* widget) : widget_(widget) {}
    ~CQtPageWindow() override { delete widget_.data(); }

    VARN_WINDOW Handle() const override { return static_cast<QWidget*>(widget_.data()); }
    IFanPageView& View() override
    {
        if (widget_.isNull()) {
            return NoFanPageView();
        }
        return *widget_;
    }

private:
    QPointer<CFanPageWidget> widget_;
};

class CQtPageWindowFactory final : public IPageWindowFactory {
public:
    std::unique_ptr<IPageWindow> Create(VARN_WINDOW parent, CFanPageModel& model) override
    {
        if (parent == nullptr || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
            return nullptr;
        }
        try {
            auto* widget = new CFanPageWidget(model, static_cast<QWidget*>(parent));
            // Created hidden: the host's dialog shows the page when it wants.
            widget->setVisible(false);
            return std::make_unique<CQtPageWindow>(widget);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }
};

}  // namespace

IPageWindowFactory& ToolkitPageWindowFactory()
{
    static CQtPageWindowFactory factory;
    return factory;
}

}  // namespace zefan
