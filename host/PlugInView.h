// CPlugInView: the child window in which one plug-in at a time shows itself
// through its own small skin, composed from the plug-in's data document and
// refreshed on the view's own timer.
#pragma once

#include <memory>
#include <string>

#include "DataDocumentRenderer.h"
#include "FrameDocumentPage.h"
#include "FrameGatedSkinWindow.h"
#include "FramePorts.h"
#include "SkinEngine.h"

inline constexpr int kViewTimerId = 1;

// What the view needs of the main frame.
class IPluginViewOwner {
public:
    virtual ~IPluginViewOwner() = default;
    virtual bool SkinShowsView() = 0;
    virtual bool SkinTimer() = 0;
    virtual int UpdateIntervalMs() = 0;
    // The main skin's definition path (the view's placement is read from it).
    virtual std::string DefinitionPath() = 0;
    // The INI section of the view plug-in has "Update" = 1.
    virtual bool ViewPluginUpdates() = 0;
    // Fetches the view plug-in's document (kept as LastViewData).
    virtual std::string FetchViewDocument(int mode) = 0;
    virtual void OnViewPageComplete() = 0;
};

class CPlugInView {
public:
    CPlugInView(IPluginViewOwner& owner, std::unique_ptr<IViewWindow> window, CFailureMessages& messages);
    CPlugInView(const CPlugInView&) = delete;
    CPlugInView& operator=(const CPlugInView&) = delete;

    // Starts loading the view's page once its handlers are in place.
    void LoadPage();

    void SetInterval(int milliseconds);
    void SetActive(bool active) { active_ = active; }
    bool Active() const { return active_; }
    int Interval() const { return interval_; }
    bool UpdateEnabled() const { return updateEnabled_; }

    void CallScript(const std::string& name);
    void LoadContent(const std::string& baseFolder, const std::string& relativeSkinPath,
                     const std::string& document);
    void Render(const std::string& document);

    void Show() { window_->ShowView(); }
    void Hide() { window_->HideView(); }
    bool IsVisible() { return window_->IsVisible(); }
    bool IsShown() { return window_->IsShown(); }

    // "NORMAL_SKIN_CLICK" on the view: 1, or -99998 for a parameter that is
    // no live click note.
    int OnSkinClick(void* note);
    void OnTimer();
    void OnDocumentComplete() { owner_.OnViewPageComplete(); }

    CSkinEngine& Engine() { return engine_; }
    IViewWindow& Window() { return *window_; }

private:
    IPluginViewOwner& owner_;
    std::unique_ptr<IViewWindow> window_;
    CFrameGatedSkinWindow target_;
    CSkinEngine engine_;
    CFrameDocumentPage documentPage_;
    CDataDocumentRenderer renderer_{DocumentPageKind::PluginView};
    int interval_ = 0;
    bool updateEnabled_ = false;
    bool active_ = true;
    bool ticking_ = false;
};
