#include "HostEventCallback.h"

namespace {
IPluginEventTarget* g_target = nullptr;
}

void SetHostEventTarget(IPluginEventTarget* target) { g_target = target; }

extern "C" int32_t HostPluginEventCallback(const char* sender, const char* event, int32_t /*extra1*/,
                                           int32_t value, int32_t /*extra2*/) {
    try {
        if (g_target != nullptr) g_target->OnPluginEvent(sender, event, value);
    } catch (...) {
    }
    return 0;
}
