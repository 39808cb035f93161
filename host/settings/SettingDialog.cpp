#include "SettingDialog.h"

#include "IniProfile.h"
#include "PluginCalls.h"
#include "RegistryBatch.h"
#include "RegistryHives.h"
#include "SkinValues.h"

using namespace plugin_calls;

namespace {

constexpr const char* kGeneralItem = "General";
constexpr const char* kGeneralCaption = "General Setting";
constexpr std::size_t kIniValueChars = 256;
constexpr const char* kNotStored = "The settings could not be stored: ";

}  // namespace

CSettingDialog::CSettingDialog(ISettingsFrame& frame, IRegistryHives* hives)
    : frame_(frame), hives_(hives), m_generalPage(hives) {}

bool CSettingDialog::OnInitDialog(ISettingDialogView& view) {
    view_ = &view;
    items_.clear();
    generalListed_ = false;
    initFailed_ = false;
    m_pageHost = nullptr;
    m_currentPage = nullptr;
    view.ClearPageList();
    view.EnableApply(false);
    view.EnableOk(true);
    m_temperatureUnit = m_generalPage.LoadTemperatureUnit();

    const CIniProfile ini = CIniProfile::Load(frame_.PluginIniPath());
    for (IVARNPlugin* plugin : frame_.LoadedPlugins()) {
        if (!AddPluginPage(plugin, ini)) return false;
    }

    const int generalIcon = view.AddApplicationIcon();
    view.InsertPageItem(static_cast<int>(items_.size()), kGeneralItem, generalIcon);
    generalListed_ = true;
    view.CreateGeneralPage();
    view.ShowGeneralPage(false);
    m_generalPage.ShowIntervalControls(frame_.SkinTimer());

    if (items_.empty()) {
        view.ShowGeneralPage(true);
        view.SetCaption(kGeneralCaption);
    } else {
        ShowFirstPluginPage();
    }
    return true;
}

bool CSettingDialog::AddPluginPage(IVARNPlugin* plugin, const CIniProfile& ini) {
    IVARNDialog* dialog = Query<IVARNDialog>(plugin, VARN_IID_DIALOG);
    if (dialog == nullptr) return true;  // no settings page
    IVARNExtend* extend = Query<IVARNExtend>(dialog, VARN_IID_EXTEND);
    if (extend == nullptr) {
        // Every later step sends commands through the extension; without one
        // the page cannot be driven, so it is not listed.
        Release(dialog);
        return true;
    }
    const std::string section = Name(extend);
    const std::string icon = ini.GetString(section, "Icon", "", kIniValueChars);
    if (icon.empty()) view_->ShowMessage("Icon string Error");
    // A "\" in the value (skins written on the original platform) is a separator.
    const int image = view_->AddIconFile(JoinSkinFile(frame_.SkinFolder(), icon));
    const std::string name = image < 0 ? "" : ini.GetString(section, "Name", "", kIniValueChars);
    if (image < 0 || name.empty()) {
        // This plug-in's references were never handed to a list item, so no
        // OnOK/OnCancel would give them back.
        Release(extend);
        Release(dialog);
        StopAfterError(image < 0 ? "Icon file error" : "Name Error");
        return false;
    }
    dialog->vtbl->CreatePage(dialog, view_->Window());
    view_->InsertPageItem(static_cast<int>(items_.size()), name, image);
    items_.push_back({dialog, name});
    Release(extend);
    return true;
}

void CSettingDialog::StopAfterError(const char* message) {
    view_->ShowMessage(message);
    // The general page was never loaded: OK or Apply would store its defaults
    // over the user's settings. Only Cancel stays, which closes the pages made.
    initFailed_ = true;
    view_->EnableOk(false);
    view_->EnableApply(false);
}

void CSettingDialog::ShowFirstPluginPage() {
    m_currentPage = items_.front().dialog;
    IVARNExtend* extend = Query<IVARNExtend>(m_currentPage, VARN_IID_EXTEND);
    VARN_WINDOW page = m_currentPage->vtbl->CreatePage(m_currentPage, view_->Window());
    if (extend) {
        Send(extend, VARN_CMD_SET_PARENT, reinterpret_cast<VARN_VALUE>(view_->Window()), 0);
        Send(extend, VARN_CMD_SET_TEMPERATURE_DISP, m_temperatureUnit, 0);
        Release(extend);
    }
    m_pageHost = page;
    if (page) view_->ShowPluginPage(page);
    view_->SetCaption(items_.front().name);
}

void CSettingDialog::DetachPageHost() {
    if (m_pageHost && view_) view_->HidePluginPage(m_pageHost);
    m_pageHost = nullptr;
}

void CSettingDialog::OnItemChangedPageList(int selectedItem) {
    if (view_ == nullptr || selectedItem < 0 || selectedItem >= PageCount()) return;
    DetachPageHost();
    if (generalListed_ && selectedItem == PageCount() - 1) {
        view_->ShowGeneralPage(true);
        view_->SetCaption(kGeneralCaption);
        return;
    }
    if (generalListed_) view_->ShowGeneralPage(false);
    const PageItem& item = items_[static_cast<std::size_t>(selectedItem)];
    m_currentPage = item.dialog;
    IVARNExtend* extend = Query<IVARNExtend>(m_currentPage, VARN_IID_EXTEND);
    m_pageHost = m_currentPage->vtbl->CreatePage(m_currentPage, view_->Window());
    if (m_pageHost) view_->ShowPluginPage(m_pageHost);
    view_->SetCaption(item.name);
    if (extend) {
        Send(extend, VARN_CMD_SET_PARENT, reinterpret_cast<VARN_VALUE>(view_->Window()), 0);
        Release(extend);
    }
}

bool CSettingDialog::EndCommit(CRegistryBatch& batch) {
    if (batch.End()) return true;
    view_->ShowMessage(kNotStored + batch.Failure());
    return false;
}

void CSettingDialog::OnOK() {
    if (view_ == nullptr || initFailed_) return;
    DetachPageHost();
    // The plug-ins store into the process's hives too (one store per hive in
    // the process), so their pages' values join this batch.
    CRegistryBatch batch(hives_ ? *hives_ : ProcessRegistryHives());
    for (const PageItem& item : items_) {
        // OnOK gives back the item's reference; the host's base reference
        // keeps the object alive for the query and the two commands.
        item.dialog->vtbl->OnOK(item.dialog);
        IVARNExtend* extend = Query<IVARNExtend>(item.dialog, VARN_IID_EXTEND);
        if (extend) {
            Send(extend, VARN_CMD_SET_TEMPERATURE_DISP, m_temperatureUnit, 0);
            Send(extend, VARN_CMD_RESET_PARENT, 0, 0);
            Release(extend);
        }
    }
    items_.clear();
    m_generalPage.SaveAll();
    // The pages are given back already: the dialog closes either way.
    EndCommit(batch);
    view_->EndDialog(IDOK);
}

void CSettingDialog::OnCancel() {
    if (view_ == nullptr) return;
    DetachPageHost();
    for (const PageItem& item : items_) {
        item.dialog->vtbl->OnCancel(item.dialog);
        IVARNExtend* extend = Query<IVARNExtend>(item.dialog, VARN_IID_EXTEND);
        if (extend) {
            Send(extend, VARN_CMD_RESET_PARENT, 0, 0);
            Release(extend);
        }
    }
    items_.clear();
    view_->EndDialog(IDCANCEL);
}

void CSettingDialog::OnApplyClicked() {
    if (view_ == nullptr || initFailed_) return;
    CRegistryBatch batch(hives_ ? *hives_ : ProcessRegistryHives());
    for (const PageItem& item : items_) {
        item.dialog->vtbl->OnApply(item.dialog);
        IVARNExtend* extend = Query<IVARNExtend>(item.dialog, VARN_IID_EXTEND);
        if (extend) {
            Send(extend, VARN_CMD_SET_TEMPERATURE_DISP, m_temperatureUnit, 0);
            Release(extend);
        }
    }
    m_generalPage.SaveAll();
    // Apply stays enabled when nothing was stored, so it can be tried again.
    const bool stored = EndCommit(batch);
    frame_.ReloadIntervalAndRestartTimer();
    frame_.ApplyPendingModeStep();
    if (stored) view_->EnableApply(false);
}

void CSettingDialog::OnDestroy() {
    // A window closed without OK or Cancel still gives the pages' references back.
    if (!items_.empty()) {
        for (const PageItem& item : items_) item.dialog->vtbl->OnCancel(item.dialog);
        items_.clear();
    }
    m_pageHost = nullptr;
    m_currentPage = nullptr;
    m_generalPage.OnDestroy();
    view_ = nullptr;
}

void CSettingDialog::EnableApply(bool enable) {
    if (view_ == nullptr || (enable && initFailed_)) return;
    view_->EnableApply(enable);
}
