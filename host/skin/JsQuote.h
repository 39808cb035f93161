// Text handed to page script is always passed as a quoted string literal, so
// skin and plug-in text can never become script.
#pragma once

#include <string>
#include <string_view>

// A JSON/JavaScript double-quoted literal of text: quotes, backslashes,
// control characters, U+2028/U+2029 and "<" are escaped; bytes that are not
// valid UTF-8 become U+FFFD.
std::string JsQuote(std::string_view text);

// True for an ASCII script identifier that is no reserved word (nor
// "arguments" or "eval"): such a name may stand as itself in script text,
// so a global declared with let or const, which is no property of window,
// can be read by name. Anything else is only ever passed quoted.
bool IsPlainScriptIdentifier(std::string_view name);
