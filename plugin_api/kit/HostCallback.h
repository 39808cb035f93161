// The host's event function lives in one slot for the whole library, not in a
// plug-in object: the last registration wins, whichever object received it.
#pragma once

#include <cstdint>

#include "VarnPlugin.h"

namespace pluginkit {

void SetHostCallback(PluginEventCallback callback);
PluginEventCallback HostCallback();

// Sends event with value (extras 0) through the registered function; false
// when none is registered. The host may re-enter the plug-in from inside.
bool NotifyHost(const char* sender, const char* event, int32_t value);

}  // namespace pluginkit
