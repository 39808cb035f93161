#include "board/IniProfileReader.h"

#include <filesystem>

namespace board {

const CIniProfile& CIniProfileReader::Profile(const std::string& path) const
{
    if (!loaded_ || path != path_) {
        profile_ = CIniProfile::Load(path);
        path_ = path;
        loaded_ = true;
    }
    return profile_;
}

bool CIniProfileReader::Exists(const std::string& path) const
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

int CIniProfileReader::GetInt(const std::string& path, const std::string& section,
                              const std::string& key, int defaultValue) const
{
    return Profile(path).GetInt(section, key, defaultValue);
}

std::string CIniProfileReader::GetString(const std::string& path, const std::string& section,
                                         const std::string& key, const std::string& defaultValue,
                                         std::size_t maxChars) const
{
    // The profile rule counts the buffer's terminator.
    return Profile(path).GetString(section, key, defaultValue, maxChars + 1);
}

}  // namespace board
