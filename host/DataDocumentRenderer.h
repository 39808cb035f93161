// Writes a plug-in data document into a page: every element whose id binds a
// document value gets that value as its inner HTML, the page's scripts hear
// about availability and status, and the items of a "TIP" section become the
// tooltips of the skinned buttons their NAMEs give (field "TEXT"), so a
// plug-in can say what a key does now. The main page and the plug-in view
// differ only in the scripts they are told.
#pragma once

#include <string>

#include "XmlDocument.h"

class IDocumentPage;

enum class DocumentPageKind { MainPage, PluginView };

inline constexpr const char* kItemWarningFunction = "VARNEQ_ITEM_WARNING";
inline constexpr const char* kWarningFunction = "VARNEQ_WARNING";

class CDataDocumentRenderer {
public:
    explicit CDataDocumentRenderer(DocumentPageKind kind) : kind_(kind) {}

    // warningActive feeds the main page's closing "VARNEQ_WARNING" call. A
    // text that is not well-formed binds nothing, yet the main page still
    // gets that call.
    void Render(const std::string& documentText, IDocumentPage& page, bool warningActive);

    // The document as last loaded, for callers that read more of it.
    const CXmlDocument& Document() const { return document_; }

private:
    void RenderElement(std::size_t position, const std::string& id, IDocumentPage& page);
    void RenderButtonTips(IDocumentPage& page);

    DocumentPageKind kind_;
    CXmlDocument document_;
};

// Index of the first "ITEM" on itemPath whose "NAME" equals name exactly; an
// item without "NAME" counts as named "". -1 when there is none.
int FindItemIndex(const CXmlDocument& document, const std::string& itemPath, const std::string& name);

// Text of node number index of path; "" when it does not exist.
std::string NodeText(const CXmlDocument& document, const std::string& path, int index);
