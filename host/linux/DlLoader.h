// The dynamic loader on dlopen: libraries are opened with RTLD_NOW so a
// library with unresolved symbols fails here, not at its first call.
#pragma once

#include "DynamicLoader.h"

class CDlLoader : public IDynamicLoader {
public:
    void* Open(const std::string& path) override;
    void* Symbol(void* library, const char* name) override;
    void Close(void* library) override;
};

// The version from the file name the path resolves to: "libX.so.1.0.0.3"
// (or a link to it) gives "1,0,0,3", missing parts are 0.
class CSonameVersionReader : public ILibraryVersionReader {
public:
    std::string Version(const std::string& libraryPath) override;
    // The rule on one file name.
    static std::string VersionOfFileName(const std::string& fileName);
};
