// Element paths ("VARNSKINDEFINE/SKIN/IMAGE"): slash-separated element names
// from the root. Splitting checks every step, so a path can only ever name
// elements; there is no query language behind it to inject into.
#pragma once

#include <string_view>
#include <vector>

// Splits path into its steps. False (steps cleared) when the path is empty,
// has an empty step, or a step holds a character that no XML name can hold
// (ASCII other than letters, digits, "_", "-", ".", ":"). Bytes of multi-byte
// UTF-8 characters are accepted.
bool SplitElementPath(std::string_view path, std::vector<std::string_view>& steps);

// The path without its last step: "A/B/C" gives "A/B"; a single step gives "".
std::string_view ParentElementPath(std::string_view path);
