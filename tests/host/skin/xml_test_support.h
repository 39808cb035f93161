// Scratch folders and files for the XML and skin definition tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace skinxml_test {

inline std::string DataPath(const std::string& name) {
    return std::string(VELMAR_TEST_DATA_DIR) + "/skinxml/" + name;
}

// A fresh folder under the system's temporary folder, removed with its
// content when the object goes.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "skinxml-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    // Writes text to name (folders created as needed); returns the full path.
    std::string Write(const std::string& name, const std::string& text) const {
        const std::string full = *this / name;
        std::filesystem::create_directories(std::filesystem::path(full).parent_path());
        std::ofstream(full, std::ios::binary) << text;
        return full;
    }

private:
    std::string path_;
};

}  // namespace skinxml_test
