/* A shared library that is not a plug-in: it lacks PlugIn_GetObject. */
#include "VarnPlugin.h"

__attribute__((visibility("default"))) int NotAPlugin(void) { return 0; }
__attribute__((destructor)) static void on_unload(void) {}
