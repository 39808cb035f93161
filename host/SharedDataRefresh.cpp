#include "SharedDataRefresh.h"

#include <vector>

#include "LoadedPlugins.h"
#include "PluginCalls.h"
#include "PluginDocuments.h"
#include "PluginViewIni.h"

void RefreshSharedData(const CLoadedPlugins& plugins, const CPluginViewIni& ini,
                       const SharedRefreshState& state, PluginDocuments& documents,
                       ISharedDataRenderer& renderer) {
    // A copy: a rendering may call back into the host, never into the list.
    const std::vector<IVARNPlugin*> loaded = plugins.Plugins();
    for (IVARNPlugin* plugin : loaded) {
        const std::string name = plugin_calls::Name(plugin);
        if (!ini.SharesData(name)) continue;
        IVARNInfo* info = plugin_calls::QueryInfo(plugin);
        if (info == nullptr) continue;  // a "share" plug-in without a document has nothing to give
        if (name == state.viewPluginName && name != VARN_PLUGIN_OCKAVO && ini.UpdatesView(name) &&
            state.showsPluginView) {
            documents.SharedData = documents.LastViewData;
        } else {
            const int32_t mode = name == VARN_PLUGIN_OCKAVO ? state.currentMode : 0;
            FetchedDocument fetched = plugin_calls::GetData(info, kDocumentBufferSize, mode);
            documents.LastFetchCut = fetched.unterminated;
            documents.SharedData = std::move(fetched.text);
        }
        renderer.RenderSharedData();
        plugin_calls::Release(info);
    }
}
