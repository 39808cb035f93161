// Text written into page markup by composition.
#pragma once

#include <string>
#include <string_view>

// A value for a double-quoted HTML attribute: & " < > become entities, so a
// skin's ID or file name cannot close the attribute or open a tag.
std::string HtmlAttribute(std::string_view text);
// A local file path as the page resolves it against its file: base: the
// characters that would end the path part of an address ("%", "#", "?")
// are percent-encoded; everything else stays readable.
std::string FileUrlPath(std::string_view path);
