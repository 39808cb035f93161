// CSkinEngine: composes a window's face from a skin definition: outline and
// size, the page's HTML (stylesheet output for the owner's data followed by
// the skin's images), the skin's script and background, and the skinned
// buttons above the page. One engine per composed window.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "FailureMessages.h"
#include "MessageBox.h"
#include "ScriptBridge.h"
#include "SkinCommandButton.h"
#include "SkinWindow.h"
#include "XmlDocument.h"

inline constexpr int kFirstButtonControlId = 5000;
// The page resources' state of the skin's script, and how long composition
// waits for a script file to load before it goes on without it.
inline constexpr const char* kSkinScriptSettled = "window.skinScriptState!=='loading'";
inline constexpr int kSkinScriptWaitMs = 3000;

class CSkinDefinition;

// Whether a skin can be composed, told before anything is torn down.
enum class SkinCheck {
    Usable,
    Missing,         // no definition file
    NotADefinition,  // it does not parse, or has no VARNSKINDEFINE/SKIN
    NoStylesheet,    // data would be given, but the skin names no stylesheet
};

class CSkinEngine {
public:
    // Failure boxes through messages, gated on their own.
    explicit CSkinEngine(IMessageBox& messages);
    // Failure boxes gated together with the rest of the program's.
    explicit CSkinEngine(CFailureMessages& messages);
    ~CSkinEngine();
    CSkinEngine(const CSkinEngine&) = delete;
    CSkinEngine& operator=(const CSkinEngine&) = delete;

    void SetSkinFile(std::string name) { skinFile_ = std::move(name); }
    void SetPosition(int x, int y) { x_ = x; y_ = y; }
    std::string DefinitionPath() const { return skinFolder_ + skinFile_; }

    // Replaces the previous composition completely (its buttons go first,
    // even when the new skin then fails). False when the definition file is
    // missing, or when data is given and the skin names no stylesheet; the
    // window then stays hidden without buttons. Without a page the window
    // only gets the background bitmap and is left as it is.
    // Page calls wait for the page in a nested event loop, where posted tasks
    // (a click note, say) can run; a composition requested from there while
    // one is under way is refused (false, nothing touched) rather than
    // interleaved with it.
    bool LoadSkin(const std::string& skinFolder, ISkinWindow* target, IScriptPage* page,
                  const std::string& dataText, bool applyOutline);
    bool Composing() const { return composing_; }
    // What LoadSkin with these values would meet, without composing. A
    // definition that does not parse counts as unusable here, though
    // LoadSkin would compose an empty face from it.
    static SkinCheck CheckSkin(const std::string& skinFolder, const std::string& skinFile,
                               const std::string& dataText);

    // The set-check request for the first check or radio button with this
    // ID; false when there is none (push buttons do not count).
    bool SetButtonCheck(const std::string& id, bool checked);
    void RefreshFocus();
    // Alpha 0..255 for the target window; false when the system has no
    // window opacity (nothing changes then).
    bool SetTransparency(int alpha);
    bool Layered() const { return layered_; }

    // Page script access for the owners; false at once without a page.
    bool CallScript(const std::string& name, const std::string& a, const std::string& b);
    // The same call without waiting for it, for callers that need no answer
    // (the tick's "ProcessEnd").
    bool QueueScript(const std::string& name, const std::string& a, const std::string& b);
    void GetVariableText(const std::string& name, std::string& text);
    void GetVariableInt(const std::string& name, int& value);
    CScriptBridge& Bridge() { return bridge_; }

    const std::string& ApplicationName() const { return applicationName_; }
    const std::string& IconPath() const { return iconPath_; }
    bool TimerFlag() const { return timerFlag_; }
    const std::string& SkinFolder() const { return skinFolder_; }
    IScriptPage* Page() const { return page_; }
    const std::vector<std::shared_ptr<CSkinCommandButton>>& Buttons() const { return buttons_; }
    CSkinCommandButton* FindButton(const std::string& id) const;
    // The stylesheet output of the last composition was longer than the
    // page buffer allows and was cut (the rest never reached the page).
    bool StylesheetOutputCut() const { return outputCut_; }
    // The definition held more buttons or IMAGE elements than a composition
    // takes (kMaxSkinButtons, kMaxSkinImages); the first ones were composed.
    bool PartsLeftOut() const { return partsLeftOut_; }

private:
    bool Compose(const std::string& skinFolder, ISkinWindow* target, IScriptPage* page,
                 const std::string& dataText, bool applyOutline);
    void DestroyButtons();
    bool ComposePage(const CSkinDefinition& skin, const std::string& dataText);
    void CreateButtons(const CSkinDefinition& skin);
    void ReportPartsLeftOut(const char* what, std::size_t kept);

    std::unique_ptr<CFailureMessages> ownMessages_;
    CFailureMessages& messages_;
    int baseControlId_ = kFirstButtonControlId;
    bool layered_ = false;
    bool timerFlag_ = true;
    int x_ = 0;
    int y_ = 0;
    std::string skinFolder_;
    std::string skinFile_ = "SkinDefine.xml";
    std::string applicationName_;
    std::string iconPath_;
    CScriptBridge bridge_;
    IScriptPage* page_ = nullptr;
    ISkinWindow* target_ = nullptr;
    CXmlDocument definition_;
    std::vector<std::shared_ptr<CSkinCommandButton>> buttons_;
    CXmlDocument data_;
    CXmlDocument stylesheet_;
    bool outputCut_ = false;
    bool partsLeftOut_ = false;
    bool composing_ = false;
};
