// The host has the toolkit loaded before it loads any plug-in, and the
// recording plug-ins are built on it, as real ones may be. A test process
// that loads them must hold the toolkit the same way; otherwise unloading a
// plug-in unloads the toolkit and the libraries under it too, and what those
// libraries set up when loaded is reported as leaked. Taking an address of
// the toolkit keeps the linker from dropping it.
#include <QApplication>

[[maybe_unused]] QWidgetList (*const kToolkitHeldLikeTheHost)() = &QApplication::topLevelWidgets;
