#include "RegistryAccess.h"

#include "RegistryHives.h"

#include <cstdio>
#include <cstring>

CRegistryAccess::CRegistryAccess(Edition edition) : edition_(edition) {}

CRegistryAccess::CRegistryAccess(IRegistryHives& hives, Edition edition) : edition_(edition), hives_(&hives) {}

CRegistryAccess::~CRegistryAccess() = default;

bool CRegistryAccess::SetRootKey(HKEY root)
{
    IRegistryHives& hives = hives_ ? *hives_ : ProcessRegistryHives();
    if (!hives.Store(root))
        return false;
    root_ = root;
    rootSet_ = true;
    return true;
}

CRegistryStore* CRegistryAccess::Store() const
{
    if (!rootSet_)
        return nullptr;
    IRegistryHives& hives = hives_ ? *hives_ : ProcessRegistryHives();
    return hives.Store(root_);
}

// Reads would pick the 32-bit registry view on the 64-bit editions of two old
// systems, and the plug-in's copy never would; this store has a single view,
// so neither edition asks the OS version here.

bool CRegistryAccess::KeyExists(const std::string& subkey) const
{
    CRegistryStore* store = Store();
    return store && store->KeyExists(subkey);
}

bool CRegistryAccess::QueryDword(const std::string& subkey, const std::string& name, void* out4) const
{
    CRegistryStore* store = Store();
    RegistryValue value;
    if (!store || !out4 || !store->GetValue(subkey, name, value) || value.data.size() > 4)
        return false;
    std::memcpy(out4, value.data.data(), value.data.size());
    return true;
}

bool CRegistryAccess::QueryRaw(const std::string& subkey, const std::string& name, void* buffer,
                               std::size_t size) const
{
    CRegistryStore* store = Store();
    if (!store || (!buffer && size > 0))
        return false;
    if (size > 0)
        std::memset(buffer, 0, size);
    RegistryValue value;
    if (!store->GetValue(subkey, name, value) || value.data.size() > size)
        return false;
    if (!value.data.empty())
        std::memcpy(buffer, value.data.data(), value.data.size());
    return true;
}

bool CRegistryAccess::QueryString(const std::string& subkey, const std::string& name, std::string& out) const
{
    char buffer[kQueryStringBufferSize];
    bool ok = QueryRaw(subkey, name, buffer, sizeof buffer);
    // A full buffer without a NUL yields all of its bytes, never more.
    out = ok ? std::string(buffer, strnlen(buffer, sizeof buffer)) : std::string();
    return ok;
}

bool CRegistryAccess::SetDword(const std::string& subkey, const std::string& name, std::uint32_t value)
{
    CRegistryStore* store = Store();
    return store && store->SetValue(subkey, name, RegistryValue::Dword(value));
}

bool CRegistryAccess::SetString(const std::string& subkey, const std::string& name, const std::string& text)
{
    CRegistryStore* store = Store();
    return store && store->SetValue(subkey, name, RegistryValue::String(text));
}

bool CRegistryAccess::SetInt(const std::string& subkey, const std::string& name, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return SetString(subkey, name, text);
}

bool CRegistryAccess::DeleteValue(const std::string& subkey, const std::string& name)
{
    if (edition_ == Edition::Plugin)
        return false;
    CRegistryStore* store = Store();
    return store && store->DeleteValue(subkey, name);
}

bool CRegistryAccess::EnumValues(const std::string& subkey, std::vector<RegistryNamedValue>& out) const
{
    out.clear();
    CRegistryStore* store = Store();
    return store && store->EnumValues(subkey, out);
}

bool CRegistryAccess::EnumSubkeys(const std::string& subkey, std::vector<std::string>& out) const
{
    out.clear();
    CRegistryStore* store = Store();
    return store && store->EnumSubkeys(subkey, out);
}
