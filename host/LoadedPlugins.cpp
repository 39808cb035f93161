#include "LoadedPlugins.h"

#include "PluginCalls.h"

IVARNPlugin* CLoadedPlugins::FindByName(const std::string& identifier) const {
    for (IVARNPlugin* plugin : plugins_)
        if (plugin_calls::Name(plugin) == identifier) return plugin;
    return nullptr;
}

void CLoadedPlugins::SelectViewPluginInfo(IVARNPlugin* plugin) {
    ReleaseViewPluginInfo();
    viewInfo_ = plugin_calls::QueryInfo(plugin);
}

void CLoadedPlugins::ReleaseViewPluginInfo() {
    plugin_calls::Release(viewInfo_);
    viewInfo_ = nullptr;
}
