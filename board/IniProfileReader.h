// IProfileReader on the board file itself. The file is read once and kept
// for the lookups that follow, since the configuration asks for some twenty
// keys per item.
#pragma once

#include <string>

#include "IniProfile.h"
#include "board/ProfileReader.h"

namespace board {

class CIniProfileReader : public IProfileReader {
public:
    bool Exists(const std::string& path) const override;
    int GetInt(const std::string& path, const std::string& section, const std::string& key,
               int defaultValue) const override;
    std::string GetString(const std::string& path, const std::string& section, const std::string& key,
                          const std::string& defaultValue, std::size_t maxChars) const override;

private:
    const CIniProfile& Profile(const std::string& path) const;

    mutable bool loaded_ = false;
    mutable std::string path_;
    mutable CIniProfile profile_;
};

}  // namespace board
