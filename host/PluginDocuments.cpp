#include "PluginDocuments.h"

#include "ElementBinding.h"
#include "LoadedPlugins.h"
#include "XmlDocument.h"

std::string FetchViewDocument(const CLoadedPlugins& plugins, PluginDocuments& documents, int32_t mode) {
    IVARNInfo* info = plugins.ViewPluginInfo();
    if (info == nullptr) return {};
    const std::string name = plugin_calls::Name(plugin_calls::AsBase(info));
    const int32_t sentMode = name == VARN_PLUGIN_EQ ? 0 : mode;
    FetchedDocument fetched = plugin_calls::GetData(info, kViewFetchBufferSize, sentMode);
    documents.LastFetchCut = fetched.unterminated;
    documents.LastViewData = std::move(fetched.text);
    return documents.LastViewData;
}

bool DocumentHasWarning(const std::string& documentText) {
    CXmlDocument document;
    if (!document.LoadText(documentText)) return false;
    const int sections = document.CountFirstChildren("VARN_PLUGIN");
    for (int s = 0; s < sections; ++s) {
        std::string section;
        if (!document.GetChildName("VARN_PLUGIN", s, section) || section.starts_with("#")) continue;
        const std::string path = FieldPath(ItemPath(section), "AVAILABILITY");
        const int count = document.CountElements(path);
        for (int i = 0; i < count; ++i) {
            std::string text;
            if (document.GetElementText(path, i, text) && text == "4") return true;
        }
    }
    return false;
}

std::string FetchAboutState(IVARNPlugin* plugin) {
    IVARNInfo* info = plugin_calls::QueryInfo(plugin);
    if (info == nullptr) return {};
    const FetchedDocument fetched = plugin_calls::GetData(info, kDocumentBufferSize, 0);
    plugin_calls::Release(info);
    CXmlDocument document;
    std::string state;
    if (document.LoadText(TrimAfterDocumentEnd(fetched.text))) document.GetElementText("VARN_PLUGIN/ABOUT", 0, state, 80);
    return state;
}

std::string TrimAfterDocumentEnd(const std::string& documentText) {
    const std::size_t end = documentText.find(kDocumentEndTag);
    if (end == std::string::npos) return documentText;
    return documentText.substr(0, end + std::char_traits<char>::length(kDocumentEndTag));
}
