// Board files as texts in memory, read with the real profile rules, so the
// board's readers are tested on boards that exist only in a test.
#pragma once

#include <map>
#include <string>

#include "IniProfile.h"
#include "board/ProfileReader.h"

namespace board {

class CMemoryProfileReader : public IProfileReader {
public:
    void Add(const std::string& path, const std::string& text) { files_[path] = CIniProfile::Parse(text); }

    bool Exists(const std::string& path) const override { return files_.contains(path); }
    int GetInt(const std::string& path, const std::string& section, const std::string& key,
               int defaultValue) const override
    {
        ++lookups;
        auto file = files_.find(path);
        return file == files_.end() ? defaultValue : file->second.GetInt(section, key, defaultValue);
    }
    std::string GetString(const std::string& path, const std::string& section, const std::string& key,
                          const std::string& defaultValue, std::size_t maxChars) const override
    {
        ++lookups;
        auto file = files_.find(path);
        return file == files_.end() ? defaultValue
                                    : file->second.GetString(section, key, defaultValue, maxChars + 1);
    }

    // Every lookup, so a test can bound the work a reader does.
    mutable int lookups = 0;

private:
    std::map<std::string, CIniProfile> files_;
};

}  // namespace board
