// Dynamic-loader double: "libraries" are entry functions registered by path;
// opens and closes are counted per path. A path registered with a null entry
// is a library without PlugIn_GetObject.
#pragma once

#include <map>
#include <string>

#include "DynamicLoader.h"
#include "VarnPlugin.h"

class CMemoryDynamicLoader : public IDynamicLoader, public ILibraryVersionReader {
public:
    struct Library {
        PlugIn_GetObjectFn entry = nullptr;
        std::string version = "0,0,0,0";
        int opened = 0;
        int closed = 0;
    };
    std::map<std::string, Library> libraries;

    void* Open(const std::string& path) override {
        auto found = libraries.find(path);
        if (found == libraries.end()) return nullptr;
        ++found->second.opened;
        return &found->second;
    }
    void* Symbol(void* library, const char* name) override {
        if (library == nullptr || std::string(name) != VARN_ENTRY_NAME) return nullptr;
        return reinterpret_cast<void*>(static_cast<Library*>(library)->entry);
    }
    void Close(void* library) override {
        if (library != nullptr) ++static_cast<Library*>(library)->closed;
    }
    std::string Version(const std::string& path) override {
        auto found = libraries.find(path);
        return found == libraries.end() ? "0,0,0,0" : found->second.version;
    }
};
