// Board files and system services are written by people: a name may hold
// bytes that are not UTF-8 or control characters that XML 1.0 cannot carry
// even as a reference.
// libxml2 escapes markup (&, <, >, quotes) itself; this makes the remaining
// text representable, so the document always parses.
#pragma once

#include <string>
#include <string_view>

namespace pluginkit {

// Every byte sequence that is not UTF-8, and every character XML 1.0 does
// not allow (controls other than tab, line feed and carriage return,
// U+FFFE, U+FFFF), becomes U+FFFD; everything else is kept as it is.
std::string XmlSafeText(std::string_view text);

}  // namespace pluginkit
