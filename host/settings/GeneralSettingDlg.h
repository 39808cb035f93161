// The host's own settings page: update interval, start with the session,
// start minimised, return to the last mode at start, temperature unit.
// Its loaders also serve without a window (the main frame's interval loader,
// the settings dialog's unit before the page exists).
#pragma once

#include "GeneralPageView.h"
#include "XdgAutostartEntry.h"

#include <string>

class IRegistryHives;

class CGeneralSettingDlg {
public:
    static constexpr int kIntervalMin = 1;
    static constexpr int kIntervalMax = 10;
    static constexpr int kIntervalDefault = 2;
    static constexpr const char* kSettingsKey = "SOFTWARE\\VARN\\TamloIII";
    static constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr const char* kRunValue = "VARN TamloIII";

    // hives: null for the process's hives.
    explicit CGeneralSettingDlg(IRegistryHives* hives = nullptr);

    // The full path written as the Run value and the autostart entry's Exec;
    // by default the running executable.
    void SetExecutablePath(std::string path) { executablePath_ = std::move(path); }
    std::string ExecutablePath() const;

    // Window life: the view exists while the settings dialog is open.
    void OnInitDialog(IGeneralPageView& view, IGeneralPageParent* parent);
    void OnDestroy();
    void ShowIntervalControls(bool show);

    // Control handlers; each ends by enabling the parent's Apply.
    void OnAutoStartClicked();
    void OnMinimizeClicked();
    void OnChangeAtStartClicked();
    void OnIntervalDelta();
    void OnCelsiusClicked();
    void OnFahrenheitClicked();

    int LoadInterval();
    bool SaveInterval();
    int LoadTemperatureUnit();
    bool SaveTemperatureUnit();
    bool LoadMinimize();
    bool SaveMinimize();
    bool LoadChangeAtStart();
    bool SaveChangeAtStart();
    bool LoadAutoStart();
    bool SaveAutoStart();
    void SaveAll();

    bool AutoStart() const { return m_autoStart; }
    bool Minimize() const { return m_minimize; }
    bool ChangeAtStart() const { return m_changeAtStart; }
    bool Fahrenheit() const { return m_fahrenheit; }
    int Interval() const { return m_interval; }

private:
    bool LoadFlag(const char* name);
    bool SaveFlag(const char* name, bool value);
    void Changed();

    bool m_autoStart = false;
    bool m_minimize = false;
    bool m_changeAtStart = false;
    bool m_fahrenheit = false;
    int m_interval = kIntervalDefault;

    IRegistryHives* hives_;
    IGeneralPageView* view_ = nullptr;
    IGeneralPageParent* parent_ = nullptr;
    std::string executablePath_;
    CXdgAutostartEntry autostartEntry_;
};
