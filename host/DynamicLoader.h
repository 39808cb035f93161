// Port: the platform's dynamic loader (dlopen/dlsym/dlclose on Linux).
#pragma once

#include <string>

class IDynamicLoader {
public:
    virtual ~IDynamicLoader() = default;
    // A library handle, or null when path is not a loadable library.
    virtual void* Open(const std::string& path) = 0;
    // The exported symbol, or null.
    virtual void* Symbol(void* library, const char* name) = 0;
    virtual void Close(void* library) = 0;
};

// Port: a library's version for the About list, as "%d,%d,%d,%d";
// "0,0,0,0" for a library that carries none.
class ILibraryVersionReader {
public:
    virtual ~ILibraryVersionReader() = default;
    virtual std::string Version(const std::string& libraryPath) = 0;
};
