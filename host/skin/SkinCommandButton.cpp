#include "SkinCommandButton.h"

#include "ClickNote.h"
#include "ScriptBridge.h"
#include "SkinWindow.h"

CSkinCommandButton::CSkinCommandButton(std::string id, SkinButtonKind kind, ISkinWindow* owner,
                                       std::string call, ButtonBehaviour behaviour)
    : CSkinButton(behaviour, owner),
      id_(std::move(id)),
      kind_(kind),
      owner_(owner),
      call_(std::move(call)) {}

void CSkinCommandButton::OnClicked() {
    // The calls below may run the event loop; keep this button alive even
    // if a handler recomposes the window meanwhile.
    std::shared_ptr<CSkinButton> keepAlive = weak_from_this().lock();
    if (kind_ == SkinButtonKind::Script && bridge_) bridge_->CallFunction(call_);
    // Every owner lives in this process, so the note is always sent.
    if (owner_) owner_->PostSkinClick(new CClickNote(id_));
    if (bridge_) bridge_->CallFunction("SetFocus");
}
