// The data-document renderer's page port on a composed window: element ids
// and writes go to the window's page, script calls through its skin engine
// (so a missing function is recorded by the bridge, never shown).
#pragma once

#include <vector>

#include "DocumentPage.h"
#include "ScriptPage.h"

class CSkinEngine;
class IScriptPage;

class CFrameDocumentPage : public IDocumentPage {
public:
    CFrameDocumentPage(IScriptPage& page, CSkinEngine& engine) : page_(page), engine_(engine) {}

    std::optional<std::vector<std::string>> ElementIds() override;
    void SetElementHtml(std::size_t position, const std::string& id, const std::string& html) override;
    void CallFunction(const std::string& name, const std::string& argument1,
                      const std::string& argument2) override;
    std::string ReadVariable(const std::string& name) override;
    void SetButtonTip(const std::string& buttonId, const std::string& text) override;
    // A rendering's writes and calls go to the page as one batch of the
    // bridge's (with the rest of the tick, when the tick holds one) that is
    // not waited for; a missing function is still recorded by the bridge.
    void BeginRender() override;
    void EndRender() override;

private:
    IScriptPage& page_;
    CSkinEngine& engine_;
    int rendering_ = 0;
};
