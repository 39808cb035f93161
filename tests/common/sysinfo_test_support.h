// A temporary folder per test, removed afterwards, so INI and hive files
// written by tests never land among the user's own.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

class SysinfoTempFolder {
public:
    SysinfoTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmar-sysinfo-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~SysinfoTempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    SysinfoTempFolder(const SysinfoTempFolder&) = delete;
    SysinfoTempFolder& operator=(const SysinfoTempFolder&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::string Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(File(name), std::ios::binary | std::ios::trunc) << text;
        return File(name);
    }

private:
    std::filesystem::path path_;
};

inline std::string SysfsTree(const std::string& name)
{
    return std::string(VELMAR_TEST_DATA_DIR) + "/sysfs/" + name;
}
