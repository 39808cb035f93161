// The board file as the configuration reads it: one lookup at a time with a
// default, in the manner of private profile files, so the configuration can be
// tested on a board that exists only in memory.
#pragma once

#include <cstddef>
#include <string>

namespace board {

class IProfileReader {
public:
    virtual ~IProfileReader() = default;
    // Whether a board file is there at all: a board without one falls back
    // to the chip's generic file.
    virtual bool Exists(const std::string& path) const = 0;
    // The key's whole number (its leading digits), or defaultValue when the
    // file, the section or the key is missing.
    virtual int GetInt(const std::string& path, const std::string& section, const std::string& key,
                       int defaultValue) const = 0;
    // The key's text cut to maxChars characters, or defaultValue when missing.
    virtual std::string GetString(const std::string& path, const std::string& section,
                                  const std::string& key, const std::string& defaultValue,
                                  std::size_t maxChars) const = 0;
};

}  // namespace board
