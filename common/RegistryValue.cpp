#include "RegistryValue.h"

RegistryValue RegistryValue::String(std::string_view text)
{
    RegistryValue v;
    v.type = REG_SZ;
    v.data.assign(text.begin(), text.end());
    v.data.push_back(0);
    return v;
}

RegistryValue RegistryValue::Dword(std::uint32_t value)
{
    RegistryValue v;
    v.type = REG_DWORD;
    for (int i = 0; i < 4; ++i)
        v.data.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    return v;
}

RegistryValue RegistryValue::Binary(std::vector<std::uint8_t> bytes)
{
    RegistryValue v;
    v.type = REG_BINARY;
    v.data = std::move(bytes);
    return v;
}
