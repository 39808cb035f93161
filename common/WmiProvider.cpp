#include "WmiProvider.h"

#include <cctype>

namespace {

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

const WmiProperty* WmiObject::Find(const std::string& name) const
{
    for (const WmiProperty& property : properties)
        if (SameName(property.name, name)) return &property;
    return nullptr;
}

bool IsLocalCimv2Namespace(const std::string& namespacePath)
{
    std::string path;
    for (char c : namespacePath) path += (c == '/') ? '\\' : c;
    return SameName(path, "\\\\.\\root\\cimv2") || SameName(path, "root\\cimv2");
}
