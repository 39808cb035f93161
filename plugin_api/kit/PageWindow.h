// A plug-in's settings page as its object sees it: a window made as a hidden
// child of the host's settings dialog, showing what the page model tells its
// view and destroyed with the holder. The toolkit makes the windows
// (qt/QtPageWindows.h); tests use window-less doubles.
#pragma once

#include <memory>

#include "VarnPlugin.h"

namespace pluginkit {

template <class View>
class IPageWindow {
public:
    // Destroying the object destroys the window.
    virtual ~IPageWindow() = default;
    // What CreatePage hands to the host.
    virtual VARN_WINDOW Handle() const = 0;
    virtual View& PageView() = 0;
};

template <class Model, class View>
class IPageWindows {
public:
    virtual ~IPageWindows() = default;
    // Null when the window cannot be made (no parent, no toolkit).
    virtual std::unique_ptr<IPageWindow<View>> Create(VARN_WINDOW parent, Model& model) = 0;
};

// The page of one plug-in object: its model and window, made by the first
// CreatePage and closed by OnOK or OnCancel (window first: it forwards to
// the model).
template <class Model, class View>
class CPageHolder {
public:
    explicit CPageHolder(IPageWindows<Model, View>& windows) : windows_(windows) {}
    ~CPageHolder() { Close(); }
    CPageHolder(const CPageHolder&) = delete;
    CPageHolder& operator=(const CPageHolder&) = delete;

    // The window, made with the model make() returns when there is none yet;
    // null (and no model) when the toolkit cannot make it.
    template <class Make>
    VARN_WINDOW Create(VARN_WINDOW parent, Make&& make)
    {
        if (window_) {
            return window_->Handle();
        }
        model_ = make();
        window_ = windows_.Create(parent, *model_);
        if (!window_) {
            model_.reset();
            return nullptr;
        }
        model_->Fill(window_->PageView());
        return window_->Handle();
    }
    bool IsOpen() const { return window_ != nullptr; }
    Model* Page() { return model_.get(); }
    void Close()
    {
        window_.reset();
        model_.reset();
    }

private:
    IPageWindows<Model, View>& windows_;
    std::unique_ptr<Model> model_;
    std::unique_ptr<IPageWindow<View>> window_;
};

}  // namespace pluginkit
