// Key paths and names of the registry store. Key and value names compare
// without regard to case (ASCII letters only; other bytes of a UTF-8 name
// must match exactly), but keep the spelling they were first written with.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The components of a key path below a root; empty means the root itself.
using RegistryKeyPath = std::vector<std::string>;

constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;
// A hive file repeats every parent's path in each key line, so its size grows
// with the square of the depth: the limit keeps one deep path from making a
// hive too large to write.
constexpr std::size_t kMaxKeyDepth = 512;

// Splits "SOFTWARE\\VARN\\APM" into its components. "" is the root; one
// trailing backslash is tolerated. Fails on a leading backslash, an empty
// component, a component longer than kMaxKeyNameLength or one holding a
// control character (a hive file could not hold it on one line), and on a
// path of more than kMaxKeyDepth components.
bool ParseKeyPath(std::string_view text, RegistryKeyPath& out);

std::string JoinKeyPath(const RegistryKeyPath& path);

// A value name may be empty (the default value). It may not hold a line
// break or NUL, nor exceed kMaxValueNameLength.
bool IsValidValueName(std::string_view name);

// Lower-cases ASCII letters: the form names are compared in.
std::string FoldRegistryName(std::string_view name);
bool RegistryNamesEqual(std::string_view a, std::string_view b);
