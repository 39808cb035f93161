#include "RegistryRoot.h"

#include "RegistryPath.h"

namespace {

struct RootRow {
    HKEY root;
    const char* name;
    const char* shortName;
};

constexpr RootRow kRoots[] = {
    {HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "HKCU"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "HKLM"},
};

}  // namespace

const char* RegistryRootName(HKEY root)
{
    for (const RootRow& row : kRoots)
        if (row.root == root)
            return row.name;
    return "";
}

bool ParseRegistryRootName(std::string_view text, HKEY& root, bool allowShort)
{
    for (const RootRow& row : kRoots) {
        if (RegistryNamesEqual(text, row.name) || (allowShort && RegistryNamesEqual(text, row.shortName))) {
            root = row.root;
            return true;
        }
    }
    return false;
}
