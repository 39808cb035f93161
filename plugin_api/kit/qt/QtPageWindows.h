// The page windows of the Qt host: a Widget(model, parent) made hidden as a
// child of the QWidget the host passes to CreatePage. Widget derives from
// QWidget and from the page's View.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <new>

#include "plugin_api/kit/PageWindow.h"

namespace pluginkit {

template <class Widget, class Model, class View>
class CQtPageWindows final : public IPageWindows<Model, View> {
public:
    std::unique_ptr<IPageWindow<View>> Create(VARN_WINDOW parent, Model& model) override
    {
        if (parent == nullptr || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
            return nullptr;
        }
        try {
            auto* widget = new Widget(model, static_cast<QWidget*>(parent));
            // Created hidden: the host's dialog shows the page when it wants.
            widget->setVisible(false);
            return std::make_unique<Window>(widget);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
    }

private:
    class Window final : public IPageWindow<View> {
    public:
        explicit Window(Widget* widget) : widget_(widget) {}
        ~Window() override { delete widget_.data(); }
        VARN_WINDOW Handle() const override { return static_cast<QWidget*>(widget_.data()); }
        // The dialog owns the parent; should it have taken the page with it,
        // the model talks to a view that ignores everything.
        View& PageView() override { return widget_.isNull() ? static_cast<View&>(orphan_) : *widget_; }

    private:
        QPointer<Widget> widget_;
        typename View::Ignoring orphan_;
    };
};

}  // namespace pluginkit
