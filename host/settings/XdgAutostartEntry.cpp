#include "XdgAutostartEntry.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

CXdgAutostartEntry::CXdgAutostartEntry(std::string fileName) : fileName_(std::move(fileName)) {}

std::string CXdgAutostartEntry::AutostartFolder() {
    // XDG base directories: a relative XDG_CONFIG_HOME is invalid
    // and must be ignored.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') return std::string(config) + "/autostart";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return std::string(home) + "/.config/autostart";
    return "";
}

std::string CXdgAutostartEntry::EntryPath() const {
    const std::string folder = AutostartFolder();
    return folder.empty() ? "" : folder + "/" + fileName_;
}

std::string CXdgAutostartEntry::ExecValue(const std::string& executablePath) {
    std::string quoted = "\"";
    for (char c : executablePath) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += "\\\\";  // the key-file escape of a backslash, then the quoting one
            if (c == '\\') { quoted += "\\\\"; continue; }
            quoted += c;
        } else if (c == '%') {
            quoted += "%%";
        } else if (c == '\n' || c == '\r') {
            return "";  // cannot be carried in a key-file line
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

bool CXdgAutostartEntry::Create(const std::string& executablePath, const std::string& name) const {
    const std::string path = EntryPath();
    const std::string exec = ExecValue(executablePath);
    if (path.empty() || exec.empty()) return false;
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    if (error) return false;
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        if (!out) return false;
        out << "[Desktop Entry]\n"
            << "Type=Application\n"
            << "Name=" << name << "\n"
            << "Exec=" << exec << "\n"
            << "X-GNOME-Autostart-enabled=true\n";
        out.flush();
        if (!out) {
            out.close();
            std::remove(temporary.c_str());
            return false;
        }
    }
    fs::rename(temporary, path, error);
    if (error) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool CXdgAutostartEntry::Remove() const {
    const std::string path = EntryPath();
    if (path.empty()) return false;
    std::error_code error;
    fs::remove(path, error);
    return !error && !fs::exists(path, error);
}

bool CXdgAutostartEntry::Exists() const {
    const std::string path = EntryPath();
    std::error_code error;
    return !path.empty() && fs::exists(path, error);
}
