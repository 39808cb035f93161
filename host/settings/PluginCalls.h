// Calls through the plug-in C ABI with the null checks every caller needs.
#pragma once

#include "VarnPlugin.h"

#include <string>

namespace plugin_calls {

inline IVARNPlugin* AsPlugin(void* anyInterface) {
    return static_cast<IVARNPlugin*>(anyInterface);
}

// The interface named iid, with one reference taken; null when absent.
template <class Interface>
Interface* Query(void* anyInterface, const char* iid) {
    if (anyInterface == nullptr) return nullptr;
    void* out = nullptr;
    IVARNPlugin* self = AsPlugin(anyInterface);
    if (self->vtbl->QueryInterface(self, iid, &out) != VARN_QI_FOUND) return nullptr;
    return static_cast<Interface*>(out);
}

inline void Release(void* anyInterface) {
    if (anyInterface == nullptr) return;
    IVARNPlugin* self = AsPlugin(anyInterface);
    self->vtbl->Release(self);
}

// The identifier, through a buffer that also survives a plug-in writing the
// whole 256 bytes without a terminator.
inline std::string Name(void* anyInterface) {
    char buffer[256] = {};
    IVARNPlugin* self = AsPlugin(anyInterface);
    self->vtbl->GetName(self, buffer);
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
}

inline int32_t Send(IVARNExtend* extend, const char* command, VARN_VALUE v1, VARN_VALUE v2) {
    return extend->vtbl->SendCommand(extend, command, v1, v2);
}

}  // namespace plugin_calls
