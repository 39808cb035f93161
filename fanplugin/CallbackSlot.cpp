#include "fanplugin/CallbackSlot.h"

namespace zefan {

namespace {

// Every call comes on the host's user-interface thread, so a plain variable
// serves.
PluginEventCallback g_callback = nullptr;

}  // namespace

void SetPluginCallback(PluginEventCallback callback) { g_callback = callback; }

PluginEventCallback GetPluginCallback() { return g_callback; }

void NotifyDialogChanged()
{
    if (g_callback != nullptr) {
        g_callback(kPluginId, VARN_EVT_DLG_CHANGED, 0, 0, 0);
    }
}

}  // namespace zefan
