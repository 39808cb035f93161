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

int CLoadedPlugins::SendToEveryPluginNamed(const std::string& identifier, const std::string& command,
                                           VARN_VALUE value1, VARN_VALUE value2) const {
    int sent = 0;
    const std::vector<IVARNPlugin*> loaded = plugins_;  // a command may call back into the host
    for (IVARNPlugin* plugin : loaded)
        if (plugin_calls::Name(plugin) == identifier &&
            plugin_calls::SendThroughTemporaryExtend(plugin, command.c_str(), value1, value2))
            ++sent;
    return sent;
}
