// The recording plug-ins' look at the window handle "INITIAL_PLUGIN" brings:
// a plug-in may use it as the toolkit's widget, so the handle is checked to
// be one of the application's top-level widgets before it is used as one.
// A native window id or a stale pointer is never dereferenced here.
#include <QApplication>
#include <QWidget>
#include <cstdio>

#include "VarnPlugin.h"

extern "C" void recording_describe_window(VARN_VALUE handle, char* out, size_t size) {
    if (QApplication::instance() == nullptr) {
        std::snprintf(out, size, "no application");
        return;
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (reinterpret_cast<VARN_VALUE>(widget) != handle) continue;
        // Now used as the widget it is: its class, and that it is a window
        // of this process with a native window behind it.
        std::snprintf(out, size, "%s window=%d native=%d", widget->metaObject()->className(),
                      widget->isWindow() ? 1 : 0, widget->winId() != 0 ? 1 : 0);
        return;
    }
    std::snprintf(out, size, "not a widget");
}
