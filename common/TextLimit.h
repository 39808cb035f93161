// Fixed-size answer buffers of the original become strings with the same
// limits. Narrow strings are UTF-8 here, so a cut never splits a character:
// a half character would turn a valid name into bytes no reader accepts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The longest prefix of text that is at most maxBytes long and does not end
// inside a UTF-8 sequence. Bytes that are not UTF-8 at all are cut as bytes.
std::string CutToByteLimit(std::string_view text, std::size_t maxBytes);

// Space, tab, CR and LF at either end removed.
std::string TrimBlanks(std::string_view text);
