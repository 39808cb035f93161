// The host's event function lives in one slot for the whole library, not in a
// plug-in object: the last registration wins, whichever object received it.
#pragma once

#include "VarnPlugin.h"

namespace zefan {

inline constexpr char kPluginId[] = "ZEFAN_PLUGIN";

void SetPluginCallback(PluginEventCallback callback);
PluginEventCallback GetPluginCallback();

// Reports "DLG_CHANGED" with three zeros when a callback is registered.
void NotifyDialogChanged();

}  // namespace zefan
