// The value rules of skin definitions: how a skin folder and a file name
// join, how numbers and flags read.
#pragma once

#include <string>
#include <string_view>

// Adds "/" to a skin folder unless it already ends with a separator; a
// trailing "\" becomes "/".
std::string SkinFolderWithSeparator(std::string folder);
// folder + value, with every "\" in value turned into "/". No separator is
// added and nothing is normalised.
std::string JoinSkinFile(const std::string& folder, std::string_view value);
// Decimal integer at the start of the text, as "12px" gives 12: leading
// blanks and one sign allowed; no leading digits gives 0; values beyond the
// int range are clamped.
int ParseSkinNumber(std::string_view text);
// Exactly "TRUE" is true; anything else, lower case included, is false.
bool ParseSkinFlag(std::string_view text);
