// Where data documents come from: the view plug-in's fetch, the warning scan
// over a fetched document and the trimming before a view is composed.
#pragma once

#include <cstddef>
#include <string>

#include "PluginCalls.h"

class CLoadedPlugins;

// The view's own fetch reads into the larger buffer; the shared refresh, the
// view reload and the switch from a skin button use the smaller one.
inline constexpr std::size_t kViewFetchBufferSize = VARN_LARGE_DATA_BUFFER_SIZE;
inline constexpr std::size_t kDocumentBufferSize = VARN_DATA_BUFFER_SIZE;
inline constexpr const char* kDocumentEndTag = "</VARN_PLUGIN>";

// The documents the main frame keeps.
struct PluginDocuments {
    std::string LastViewData;  // the last document fetched from the view plug-in
    std::string SharedData;    // the last "share" document, rendered into the main page
    // The last fetch found no terminator in its buffer: the plug-in wrote
    // more than the buffer holds and its document is cut.
    bool LastFetchCut = false;
};

// The view plug-in's document with mode (always 0 for "VARNEQ_PLUGIN"), kept
// as LastViewData; "" when no view plug-in is set.
std::string FetchViewDocument(const CLoadedPlugins& plugins, PluginDocuments& documents, int32_t mode);

// True when an item of any section has the "AVAILABILITY" "4". The caller
// sets its warning flag; a scan never clears it.
bool DocumentHasWarning(const std::string& documentText);

// The few words a plug-in's document says of the plug-in ("VARN_PLUGIN/
// ABOUT"), for the About list; "" without a document or such an element.
std::string FetchAboutState(IVARNPlugin* plugin);

// Cuts after the first "</VARN_PLUGIN>"; a text without it stays whole.
std::string TrimAfterDocumentEnd(const std::string& documentText);
