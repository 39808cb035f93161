// The host's settings dialog: a page per plug-in that offers one, the general
// page last, and OK / Cancel / Apply forwarded to every page. OK and Apply
// are one registry batch: what every page and the general page store is
// written at the end, one rewrite per hive, and a failure is shown.
#pragma once

#include "GeneralSettingDlg.h"
#include "SettingDialogView.h"
#include "SettingsFramePort.h"
#include "VarnPlugin.h"

#include <string>
#include <vector>

class CIniProfile;
class CRegistryBatch;
class IRegistryHives;

class CSettingDialog : public IGeneralPageParent {
public:
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;

    CSettingDialog(ISettingsFrame& frame, IRegistryHives* hives = nullptr);

    CGeneralSettingDlg& GeneralPage() { return m_generalPage; }

    // Runs one opening of the dialog: runModal shows the view and returns when
    // the view's EndDialog ran (or the window was closed: IDCANCEL). After
    // IDOK the frame's pending mode step runs, then the interval reload.
    template <class RunModal>
    int DoModal(RunModal runModal) {
        const int result = runModal();
        if (result == IDOK) {
            frame_.ApplyPendingModeStep();
            frame_.ReloadIntervalAndRestartTimer();
        }
        return result;
    }

    // Handlers of the view.
    bool OnInitDialog(ISettingDialogView& view);
    void OnItemChangedPageList(int selectedItem);  // -1: nothing selected
    void OnOK();
    void OnCancel();  // also Escape and the close box
    void OnApplyClicked();
    void OnDestroy();

    // Harmless while the dialog is closed; refused after a failed opening so
    // nothing that was never loaded can be stored.
    void EnableApply(bool enable) override;
    int& TemperatureUnit() override { return m_temperatureUnit; }

    bool IsOpen() const { return view_ != nullptr; }
    bool InitFailed() const { return initFailed_; }
    int PageCount() const { return static_cast<int>(items_.size()) + (generalListed_ ? 1 : 0); }

private:
    struct PageItem {
        IVARNDialog* dialog;  // the reference the plug-in's OnOK/OnCancel gives back
        std::string name;
    };

    bool AddPluginPage(IVARNPlugin* plugin, const CIniProfile& ini);
    void StopAfterError(const char* message);
    void ShowFirstPluginPage();
    void DetachPageHost();
    void ClosePages();
    // Ends the commit's batch; says so when it could not be written.
    bool EndCommit(CRegistryBatch& batch);

    ISettingsFrame& frame_;
    IRegistryHives* hives_;  // null: the process's, where the plug-ins store theirs
    ISettingDialogView* view_ = nullptr;
    CGeneralSettingDlg m_generalPage;
    std::vector<PageItem> items_;      // plug-in pages, in list order
    bool generalListed_ = false;
    bool initFailed_ = false;
    VARN_WINDOW m_pageHost = nullptr;  // plug-in page shown now; owned by its plug-in
    IVARNDialog* m_currentPage = nullptr;
    int m_temperatureUnit = 0;
};
