// Fixed-size text limits of the skin and data readers, applied to UTF-8
// strings. A limit counts characters (code points), so a value is never cut
// inside a multi-byte sequence and a non-Latin skin name keeps as many
// characters as a Latin one.
#pragma once

#include <cstddef>
#include <string>

// Attribute values: a 256-byte buffer in the original format, 255 characters
// and the terminator.
inline constexpr std::size_t kAttributeMaxChars = 255;
// Stylesheet output written into a page: 51,200 bytes with the terminator.
inline constexpr std::size_t kTransformMaxChars = 51199;
// No limit: the whole text.
inline constexpr std::size_t kNoTextLimit = static_cast<std::size_t>(-1);

// Shortens text to at most maxChars characters. Returns true when something
// was cut. Bytes that are not valid UTF-8 count as one character each.
bool CutToCharacters(std::string& text, std::size_t maxChars);
