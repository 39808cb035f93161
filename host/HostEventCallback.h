// PluginEventCallback, the plain function every plug-in is given with
// SetCallback. It forwards to the process's event target, set before the
// plug-ins are loaded; nothing thrown inside ever reaches the plug-in.
#pragma once

#include <cstdint>

// What hears the plug-ins' events: the operating modes, or the main frame
// in front of them.
class IPluginEventTarget {
public:
    virtual ~IPluginEventTarget() = default;
    virtual int32_t OnPluginEvent(const char* sender, const char* event, int32_t value) = 0;
};

// null: events are answered with 0 and change nothing.
void SetHostEventTarget(IPluginEventTarget* target);

extern "C" int32_t HostPluginEventCallback(const char* sender, const char* event, int32_t extra1,
                                           int32_t value, int32_t extra2);
