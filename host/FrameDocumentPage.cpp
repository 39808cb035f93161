#include "FrameDocumentPage.h"

#include "ScriptPage.h"
#include "SkinEngine.h"

std::optional<std::vector<std::string>> CFrameDocumentPage::ElementIds() { return page_.ElementIds(); }

void CFrameDocumentPage::SetElementHtml(std::size_t position, const std::string& id, const std::string& html) {
    if (!rendering_) {
        page_.SetElementHtml(position, id, html);
        return;
    }
    PageStep write;
    write.position = position;
    write.id = id;
    write.html = html;
    steps_.push_back(std::move(write));
}

void CFrameDocumentPage::CallFunction(const std::string& name, const std::string& argument1,
                                      const std::string& argument2) {
    if (!rendering_) {
        engine_.CallScript(name, argument1, argument2);
        return;
    }
    PageStep call;
    call.function = name;
    call.args = {argument1, argument2};
    steps_.push_back(std::move(call));
}

void CFrameDocumentPage::BeginRender() {
    rendering_ = true;
    steps_.clear();
}

void CFrameDocumentPage::EndRender() {
    rendering_ = false;
    try {
        if (!steps_.empty() && engine_.Bridge().HasDocument()) engine_.Bridge().Queue(steps_);
    } catch (...) {
        // A rendering that cannot reach the page leaves it as it was.
    }
    steps_.clear();
}

std::string CFrameDocumentPage::ReadVariable(const std::string& name) {
    std::string text;
    engine_.GetVariableText(name, text);
    return text;
}

void CFrameDocumentPage::SetButtonTip(const std::string& buttonId, const std::string& text) {
    if (CSkinCommandButton* button = engine_.FindButton(buttonId)) button->SetToolTipText(text);
}
