// The plug-in's data document: each smart-fan-capable fan with its output
// duty read from the chip at this moment and its current settings, always in
// degrees Celsius. Built afresh on every request.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "VarnPlugin.h"
#include "hwmon/FanController.h"

namespace zefan {

// The host's smaller document buffer, terminator included.
inline constexpr std::size_t kStatusDocumentLimit = VARN_DATA_BUFFER_SIZE;

// The serialised document, at most limit - 1 bytes so that it fits limit
// bytes with its terminator. A fan whose item would not fit is left out
// whole, and so is every fan after it, so the names ZEFAN_FAN_0, 1, ... stay
// the positions of the listed fans and the document stays well-formed; the
// root with an empty "FAN" always fits. "" only when libxml2 runs out of
// memory.
std::string BuildFanStatusDocument(std::span<hwmon::CFanController* const> shownFans,
                                   std::size_t limit = kStatusDocumentLimit);

// The document and its terminator into buffer, which holds
// kStatusDocumentLimit bytes; an empty text when the document cannot be built.
void WriteFanStatusDocument(std::span<hwmon::CFanController* const> shownFans, char* buffer);

}  // namespace zefan
