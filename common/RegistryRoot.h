// The predefined roots of the registry store. Each root is one hive file.
#pragma once

#include <string_view>

enum HKEY : int {
    HKEY_NONE = 0,
    HKEY_CURRENT_USER = 1,
    HKEY_LOCAL_MACHINE = 2,
};

// "HKEY_CURRENT_USER" / "HKEY_LOCAL_MACHINE"; "" for anything else.
const char* RegistryRootName(HKEY root);

// Case-insensitive. With allowShort, "HKCU" and "HKLM" are accepted too (the
// command line allows them; .reg files never contain them).
bool ParseRegistryRootName(std::string_view text, HKEY& root, bool allowShort);
