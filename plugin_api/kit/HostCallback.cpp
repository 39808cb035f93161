#include "plugin_api/kit/HostCallback.h"

namespace pluginkit {

namespace {

// Every call comes on the host's user-interface thread, so a plain variable
// serves. Each plug-in library links its own copy.
PluginEventCallback g_callback = nullptr;

}  // namespace

void SetHostCallback(PluginEventCallback callback) { g_callback = callback; }

PluginEventCallback HostCallback() { return g_callback; }

bool NotifyHost(const char* sender, const char* event, int32_t value)
{
    // Copied first: the host may register another function from inside.
    const PluginEventCallback callback = g_callback;
    if (callback == nullptr) {
        return false;
    }
    callback(sender, event, 0, value, 0);
    return true;
}

}  // namespace pluginkit
