#include "DataDocumentRenderer.h"

#include "DocumentPage.h"
#include "ElementBinding.h"

int FindItemIndex(const CXmlDocument& document, const std::string& itemPath, const std::string& name) {
    const int count = document.CountElements(itemPath);
    for (int i = 0; i < count; ++i) {
        std::string value;
        document.ReadAttribute(itemPath, 0, i, "NAME", value);
        if (value == name) return i;
    }
    return -1;
}

std::string NodeText(const CXmlDocument& document, const std::string& path, int index) {
    std::string text;
    document.GetElementText(path, index, text);
    return text;
}

namespace {

// Ends a rendering however it ends, so what it wrote reaches the page.
class CRenderBracket {
public:
    explicit CRenderBracket(IDocumentPage& page) : page_(page) { page_.BeginRender(); }
    ~CRenderBracket() {
        try {
            page_.EndRender();
        } catch (...) {
            // What cannot reach the page leaves it as it was.
        }
    }
    CRenderBracket(const CRenderBracket&) = delete;
    CRenderBracket& operator=(const CRenderBracket&) = delete;

private:
    IDocumentPage& page_;
};

}  // namespace

void CDataDocumentRenderer::Render(const std::string& documentText, IDocumentPage& page,
                                   bool warningActive) {
    try {
        const CRenderBracket bracket(page);
        if (document_.LoadText(documentText)) {
            // Element by element: a skin may show one value in several
            // elements that share an id.
            if (auto ids = page.ElementIds())
                for (std::size_t position = 0; position < ids->size(); ++position)
                    if (!(*ids)[position].empty()) RenderElement(position, (*ids)[position], page);
            RenderButtonTips(page);
        }
        if (kind_ == DocumentPageKind::MainPage)
            page.CallFunction(kWarningFunction, "", warningActive ? "TRUE" : "FALSE");
    } catch (...) {
        // A fault in one rendering leaves the page as far as it got.
    }
}

void CDataDocumentRenderer::RenderElement(std::size_t position, const std::string& id, IDocumentPage& page) {
    const auto binding = ParseElementBinding(id);
    if (!binding) return;
    const std::string itemPath = ItemPath(binding->section);
    const int index = FindItemIndex(document_, itemPath, binding->item);
    if (index < 0) return;

    // The n-th node of the field path, not the field of the n-th item: a
    // skin's documents carry every shown field in every item, and skins were
    // written against this reading.
    page.SetElementHtml(position, id, NodeText(document_, FieldPath(itemPath, binding->field), index));

    const std::string availability = NodeText(document_, FieldPath(itemPath, "AVAILABILITY"), index);
    if (!availability.empty()) {
        if (kind_ == DocumentPageKind::MainPage)
            page.CallFunction(kItemWarningFunction, id, availability == "4" ? "TRUE" : "FALSE");
        else
            page.CallFunction(binding->section + "_AVAILABILITY", id, availability);
    }

    if (kind_ == DocumentPageKind::PluginView && binding->field == "STATUSINFO") {
        const std::string status = NodeText(document_, FieldPath(itemPath, "STATUSINFO"), index);
        if (status == "3") page.CallFunction(binding->section + "_STATUSINFO", id, "Enable");
        else if (status == "4") page.CallFunction(binding->section + "_STATUSINFO", id, "Disable");
    }
}

void CDataDocumentRenderer::RenderButtonTips(IDocumentPage& page) {
    const std::string itemPath = ItemPath("TIP");
    const int count = document_.CountElements(itemPath);
    for (int i = 0; i < count; ++i) {
        std::string button;
        if (!document_.ReadAttribute(itemPath, 0, i, "NAME", button) || button.empty()) continue;
        page.SetButtonTip(button, NodeText(document_, FieldPath(itemPath, "TEXT"), i));
    }
}
