#include "PlugInView.h"

#include "ClickNote.h"
#include "PluginViewIni.h"
#include "ScriptPage.h"
#include "SkinDefinition.h"
#include "Timers.h"

CPlugInView::CPlugInView(IPluginViewOwner& owner, std::unique_ptr<IViewWindow> window, CFailureMessages& messages)
    : owner_(owner),
      window_(std::move(window)),
      // Composing never shows the view: a skin button does (Show).
      target_(window_->SkinWindow(), [] { return false; }),
      engine_(messages),
      documentPage_(window_->Page(), engine_) {
    window_->Page().SetDocumentCompleteHandler([this] { OnDocumentComplete(); });
    // Drops are refused by the window itself; every navigation passes.
    window_->Page().SetBeforeNavigateHandler([](const std::string&) { return false; });
}

void CPlugInView::LoadPage() { window_->LoadPage(); }

void CPlugInView::SetInterval(int milliseconds) {
    interval_ = milliseconds;
    ITimers& timers = window_->Timers();
    timers.Stop(kViewTimerId);
    timers.Start(kViewTimerId, interval_, [this] { OnTimer(); });
}

void CPlugInView::CallScript(const std::string& name) { engine_.CallScript(name, "", ""); }

void CPlugInView::LoadContent(const std::string& baseFolder, const std::string& relativeSkinPath,
                              const std::string& document) {
    const ViewSkinLocation location = SplitViewSkinPath(baseFolder, relativeSkinPath);
    CallScript("RestoreInitial");
    int x = 0;
    int y = 0;
    CSkinDefinition::GetPluginViewPlacement(owner_.DefinitionPath(), x, y);
    engine_.SetPosition(x, y);
    engine_.SetSkinFile(location.fileName);
    engine_.LoadSkin(location.folder, &target_, &window_->Page(), document, true);
    updateEnabled_ = owner_.ViewPluginUpdates();
    SetInterval(owner_.UpdateIntervalMs());
    Render(document);
}

void CPlugInView::Render(const std::string& document) { renderer_.Render(document, documentPage_, false); }

int CPlugInView::OnSkinClick(void* note) {
    std::unique_ptr<CClickNote> click = TakeLiveClickNote(note);
    if (!click) return -99998;
    ITimers& timers = window_->Timers();
    const std::string& id = click->Id();
    if (id == "CLOSE") window_->HideView();
    else if (id == "STARTTIMER") timers.Start(kViewTimerId, interval_, [this] { OnTimer(); });
    else if (id == "STOPTIMER") timers.Stop(kViewTimerId);
    return 1;
}

void CPlugInView::OnTimer() {
    // A script call waits in a nested event loop where the next tick can
    // arrive; that tick is dropped rather than nested inside this one.
    if (ticking_) return;
    if (!(updateEnabled_ && active_ && owner_.SkinTimer() && owner_.SkinShowsView())) return;
    ticking_ = true;
    // The document is fetched either way: the main page shows it too. A page
    // nobody sees is not written; the next tick after it is seen again is.
    const std::string document = owner_.FetchViewDocument(0);
    if (window_->IsVisible()) {
        const CScriptBatch batch(engine_.Bridge());
        Render(document);
        engine_.QueueScript("ProcessEnd", "", "");
    }
    ticking_ = false;
}
