// One stored value: its type and its exact bytes. Sizes matter to readers
// (a REG_SZ keeps its terminating NUL, a REG_DWORD is 4 bytes), so data is
// kept byte for byte rather than as text or numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr std::uint32_t REG_NONE = 0;
constexpr std::uint32_t REG_SZ = 1;
constexpr std::uint32_t REG_EXPAND_SZ = 2;
constexpr std::uint32_t REG_BINARY = 3;
constexpr std::uint32_t REG_DWORD = 4;
constexpr std::uint32_t REG_MULTI_SZ = 7;

struct RegistryValue {
    std::uint32_t type = REG_NONE;
    std::vector<std::uint8_t> data;

    // REG_SZ: the text's bytes and one terminating NUL.
    static RegistryValue String(std::string_view text);
    // REG_DWORD: 4 bytes, little-endian as the store has always kept them.
    static RegistryValue Dword(std::uint32_t value);
    static RegistryValue Binary(std::vector<std::uint8_t> bytes);

    bool operator==(const RegistryValue&) const = default;
};

struct RegistryNamedValue {
    std::string name;  // as first written; "" is the key's default value
    RegistryValue value;

    bool operator==(const RegistryNamedValue&) const = default;
};
