#include "FrameDocumentPage.h"

#include "ScriptPage.h"
#include "SkinEngine.h"

std::optional<std::vector<std::string>> CFrameDocumentPage::ElementIds() { return page_.ElementIds(); }

void CFrameDocumentPage::SetElementHtml(std::size_t position, const std::string& id, const std::string& html) {
    if (rendering_ == 0 || !engine_.Bridge().HasDocument()) {
        page_.SetElementHtml(position, id, html);
        return;
    }
    PageStep write;
    write.position = position;
    write.id = id;
    write.html = html;
    engine_.Bridge().Queue({write});
}

void CFrameDocumentPage::CallFunction(const std::string& name, const std::string& argument1,
                                      const std::string& argument2) {
    if (rendering_ == 0) {
        engine_.CallScript(name, argument1, argument2);
        return;
    }
    engine_.QueueScript(name, argument1, argument2);
}

void CFrameDocumentPage::BeginRender() {
    ++rendering_;
    engine_.Bridge().BeginBatch();
}

void CFrameDocumentPage::EndRender() {
    if (rendering_ == 0) return;
    --rendering_;
    engine_.Bridge().EndBatch();
}

std::string CFrameDocumentPage::ReadVariable(const std::string& name) {
    std::string text;
    engine_.GetVariableText(name, text);
    return text;
}

void CFrameDocumentPage::SetButtonTip(const std::string& buttonId, const std::string& text) {
    if (CSkinCommandButton* button = engine_.FindButton(buttonId)) button->SetToolTipText(text);
}
