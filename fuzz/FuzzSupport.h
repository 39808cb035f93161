// What the fuzz targets share: a broken promise ends the run with a message
// (libFuzzer keeps the input that did it), and inputs made of a first line
// and the rest.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

[[noreturn]] inline void Broken(const char* promise) {
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

inline void Expect(bool holds, const char* promise) {
    if (!holds) Broken(promise);
}

inline std::string_view Text(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The first line (without its line break) and everything after it.
struct Split {
    std::string_view head;
    std::string_view rest;
};

inline Split SplitFirstLine(std::string_view text) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return {text, {}};
    return {text.substr(0, end), text.substr(end + 1)};
}

}  // namespace fuzz
