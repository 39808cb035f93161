// PluginEventCallback, the plain function every plug-in is given with
// SetCallback. It forwards to the process's operating modes, set before the
// plug-ins are loaded; nothing thrown inside ever reaches the plug-in.
#pragma once

#include <cstdint>

class COperatingModes;

// null: events are answered with 0 and change nothing.
void SetHostEventTarget(COperatingModes* modes);

extern "C" int32_t HostPluginEventCallback(const char* sender, const char* event, int32_t extra1,
                                           int32_t value, int32_t extra2);
