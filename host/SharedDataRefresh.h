// The shared-data refresh of every main timer tick and of start-up: each
// loaded plug-in whose view INI section has a non-zero "share" gives its
// document, which is rendered into the main page at once (one rendering per
// plug-in, each from that plug-in's document).
#pragma once

#include <cstdint>
#include <string>

class CLoadedPlugins;
class CPluginViewIni;
struct PluginDocuments;

// Port: the main frame's command 1023, render SharedData into the main page.
class ISharedDataRenderer {
public:
    virtual ~ISharedDataRenderer() = default;
    virtual void RenderSharedData() = 0;
};

struct SharedRefreshState {
    int32_t currentMode = 0;
    std::string viewPluginName;
    bool showsPluginView = false;
};

void RefreshSharedData(const CLoadedPlugins& plugins, const CPluginViewIni& ini,
                       const SharedRefreshState& state, PluginDocuments& documents,
                       ISharedDataRenderer& renderer);
