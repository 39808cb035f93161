// Thin C++ calls over the plug-in ABI. Every call into a plug-in goes through
// here so that the buffers handed to plug-ins are real buffers of the sizes
// the contract promises, and so that a null interface is never called.
#pragma once

#include <cstddef>
#include <string>

#include "VarnPlugin.h"

// GetName is given this much room: far more than the 52 bytes an identifier
// may take, so an over-long name is read, not written past our buffer.
inline constexpr std::size_t kPluginNameBufferSize = 1024;

struct FetchedDocument {
    std::string text;
    // The plug-in left no terminator inside the buffer: text holds the buffer
    // up to its last byte and the rest of what the plug-in meant is lost.
    bool unterminated = false;
};

namespace plugin_calls {

IVARNPlugin* AsBase(void* anyInterface);

std::string Name(IVARNPlugin* plugin);
// One new reference, or null when the plug-in lacks the interface.
IVARNExtend* QueryExtend(IVARNPlugin* plugin);
IVARNInfo* QueryInfo(IVARNPlugin* plugin);
// The remaining count; 0 for a null interface.
int32_t Release(void* anyInterface);
int32_t SendCommand(IVARNExtend* extend, const char* command, VARN_VALUE value1, VARN_VALUE value2);
// GetData into a zeroed buffer of exactly bufferSize bytes.
FetchedDocument GetData(IVARNInfo* info, std::size_t bufferSize, int32_t mode);

// Query "IVARNExtend", send one command, release: the temporary use of the
// interface that the host makes for navigation and power commands. False when
// the plug-in has no IVARNExtend.
bool SendThroughTemporaryExtend(IVARNPlugin* plugin, const char* command, VARN_VALUE value1,
                                VARN_VALUE value2);

}  // namespace plugin_calls
