// A library's file version. A shared library carries it in its real file
// name ("libfoo.so.1.2.3" behind the "libfoo.so" link gives 1,2,3,0); a
// library without one has none to read.
#pragma once

#include <cstdint>
#include <string>

class CVersionReader {
public:
    static constexpr std::uint32_t kSignature = 0xFEEF04BD;

    struct FixedFileInfo {
        std::uint32_t dwSignature = 0;
        std::uint32_t dwStrucVersion = 0;
        std::uint32_t dwFileVersionMS = 0;
        std::uint32_t dwFileVersionLS = 0;
        std::uint32_t dwProductVersionMS = 0;
        std::uint32_t dwProductVersionLS = 0;
    };

    // path: the library as named in the plug-in list (links are followed).
    bool Open(const char* path);
    void Close();
    bool Valid() const { return valid_; }
    const FixedFileInfo& Fixed() const { return fixed_; }

    // "%d,%d,%d,%d" of the file version, "0,0,0,0" without a readable one.
    static std::string VersionText(const std::string& path);

private:
    FixedFileInfo fixed_;
    bool valid_ = false;
};
