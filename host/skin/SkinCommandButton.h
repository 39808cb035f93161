// CSkinCommandButton: the skinned button the engine creates. It carries the
// skin's command (ID, and CALL for script buttons); a click calls the page
// function (script buttons), posts a click note to the owner, then gives the
// page back its focus.
#pragma once

#include <string>

#include "SkinButton.h"

class CScriptBridge;
class ISkinWindow;

enum class SkinButtonKind { Normal = 0, Script = 1 };

class CSkinCommandButton : public CSkinButton {
public:
    CSkinCommandButton(std::string id, SkinButtonKind kind, ISkinWindow* owner, std::string call,
                       ButtonBehaviour behaviour);

    void SetScriptBridge(CScriptBridge* bridge) { bridge_ = bridge; }
    const std::string& Id() const { return id_; }
    const std::string& Call() const { return call_; }
    SkinButtonKind Kind() const { return kind_; }

    // The click itself, as the widget's click runs it.
    void Click() { OnClicked(); }

protected:
    void OnClicked() override;

private:
    std::string id_;
    SkinButtonKind kind_;
    ISkinWindow* owner_;
    std::string call_;
    CScriptBridge* bridge_ = nullptr;
};
