#include "DlLoader.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

#include <array>
#include <cstdio>

void* CDlLoader::Open(const std::string& path) {
    if (path.empty()) return nullptr;  // dlopen("") would answer with the program itself
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* CDlLoader::Symbol(void* library, const char* name) {
    if (library == nullptr) return nullptr;
    return dlsym(library, name);
}

void CDlLoader::Close(void* library) {
    if (library != nullptr) dlclose(library);
}

std::string CSonameVersionReader::VersionOfFileName(const std::string& fileName) {
    std::array<unsigned, 4> parts{};
    const std::size_t so = fileName.rfind(".so.");
    if (so != std::string::npos) {
        std::size_t at = so + 4;
        for (std::size_t i = 0; i < parts.size() && at < fileName.size(); ++i) {
            std::size_t end = at;
            unsigned value = 0;
            while (end < fileName.size() && fileName[end] >= '0' && fileName[end] <= '9' && end - at < 5)
                value = value * 10 + static_cast<unsigned>(fileName[end++] - '0');
            if (end == at) break;
            parts[i] = value & 0xFFFFu;
            if (end < fileName.size() && fileName[end] != '.') break;
            at = end + 1;
        }
    }
    char text[64];
    std::snprintf(text, sizeof text, "%u,%u,%u,%u", parts[0], parts[1], parts[2], parts[3]);
    return text;
}

std::string CSonameVersionReader::Version(const std::string& libraryPath) {
    char resolved[PATH_MAX];
    std::string name = realpath(libraryPath.c_str(), resolved) != nullptr ? resolved : libraryPath;
    const std::size_t slash = name.rfind('/');
    if (slash != std::string::npos) name.erase(0, slash + 1);
    return VersionOfFileName(name);
}
