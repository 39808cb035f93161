#include "VersionReader.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

// The numbers after ".so." in a file name; false when there are none or one
// is not a 16-bit number.
bool SuffixVersion(const std::string& fileName, std::vector<std::uint32_t>& parts) {
    const std::size_t at = fileName.find(".so.");
    if (at == std::string::npos) return false;
    std::size_t pos = at + 4;
    while (parts.size() < 4) {
        std::size_t end = pos;
        while (end < fileName.size() && fileName[end] >= '0' && fileName[end] <= '9') ++end;
        if (end == pos || end - pos > 5) return false;
        const unsigned long value = std::strtoul(fileName.substr(pos, end - pos).c_str(), nullptr, 10);
        if (value > 0xFFFF) return false;
        parts.push_back(static_cast<std::uint32_t>(value));
        if (end == fileName.size()) break;
        if (fileName[end] != '.') return false;
        pos = end + 1;
    }
    return !parts.empty();
}

}  // namespace

bool CVersionReader::Open(const char* path) {
    if (path == nullptr) return false;
    Close();
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(path, error);
    if (error || !std::filesystem::is_regular_file(real, error)) return false;
    std::vector<std::uint32_t> parts;
    if (!SuffixVersion(real.filename().string(), parts)) return false;
    parts.resize(4, 0);
    fixed_.dwSignature = kSignature;
    fixed_.dwStrucVersion = 0x00010000;
    fixed_.dwFileVersionMS = fixed_.dwProductVersionMS = (parts[0] << 16) | parts[1];
    fixed_.dwFileVersionLS = fixed_.dwProductVersionLS = (parts[2] << 16) | parts[3];
    valid_ = true;
    return true;
}

void CVersionReader::Close() {
    fixed_ = FixedFileInfo{};
    valid_ = false;
}

std::string CVersionReader::VersionText(const std::string& path) {
    CVersionReader reader;
    const bool ok = reader.Open(path.c_str());
    const FixedFileInfo& f = reader.Fixed();
    char text[32];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d", ok ? int(f.dwFileVersionMS >> 16) : 0,
                  ok ? int(f.dwFileVersionMS & 0xFFFF) : 0, ok ? int(f.dwFileVersionLS >> 16) : 0,
                  ok ? int(f.dwFileVersionLS & 0xFFFF) : 0);
    return text;
}
