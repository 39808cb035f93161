// Loads the plug-ins listed under the machine-wide key "SOFTWARE\\VARN\\APM"
// (one value per library path, in the key's order) and unloads them at exit.
#pragma once

#include <cstdint>
#include <string>

#include "DynamicLoader.h"
#include "LoadedPlugins.h"
#include "VarnPlugin.h"

class IMessageBox;
class IRegistryHives;

inline constexpr const char* kPluginKey = "SOFTWARE\\VARN\\APM";
inline constexpr const char* kHostKey = "SOFTWARE\\VARN\\TamloIII";
inline constexpr const char* kBaseInterfaceNotFound = "Base Interface Not Found";

struct PluginLoadContext {
    VARN_VALUE mainWindow = 0;            // sent with "INITIAL_PLUGIN"
    int32_t* currentMode = nullptr;       // written by the mode-control plug-in
    PluginEventCallback callback = nullptr;
};

class CPluginLoader {
public:
    // hives null: the process's registry hives.
    CPluginLoader(IDynamicLoader& loader, ILibraryVersionReader& versions, IMessageBox& messages,
                  IRegistryHives* hives = nullptr);

    // Always true: a missing or empty key just loads nothing.
    bool LoadAll(CLoadedPlugins& plugins, const PluginLoadContext& context);
    // Interfaces first, libraries last; afterwards plugins is empty, so a
    // second call does nothing.
    void UnloadAll(CLoadedPlugins& plugins);

    // The library's file name: the text after its last "/" or "\\".
    static std::string LibraryFileName(const std::string& path);

private:
    void LoadOne(CLoadedPlugins& plugins, const std::string& path, const PluginLoadContext& context);
    int32_t TemperatureUnit() const;

    IDynamicLoader& loader_;
    ILibraryVersionReader& versions_;
    IMessageBox& messages_;
    IRegistryHives* hives_;
};
