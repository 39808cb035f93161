// The settings page's window as the plug-in object sees it: created as a
// hidden child of the host's settings dialog, showing what the page model
// tells its view, and destroyed with this object. The Qt page implements it;
// tests use a window-less double.
#pragma once

#include <memory>

#include "VarnPlugin.h"
#include "fanplugin/FanPageView.h"

namespace zefan {

class CFanPageModel;

class IPageWindow {
public:
    // Destroying the object destroys the window.
    virtual ~IPageWindow() = default;
    // What CreatePage hands to the host.
    virtual VARN_WINDOW Handle() const = 0;
    // The view the model fills; it forwards the user's actions to the model
    // it was created with.
    virtual IFanPageView& View() = 0;
};

class IPageWindowFactory {
public:
    virtual ~IPageWindowFactory() = default;
    // Null when the window cannot be made (no parent, no toolkit).
    virtual std::unique_ptr<IPageWindow> Create(VARN_WINDOW parent, CFanPageModel& model) = 0;
};

}  // namespace zefan
