#include "GeneralSettingDlg.h"

#include "RegistryAccess.h"
#include "RegistryHives.h"
#include "SystemInfo.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

CRegistryAccess UserRegistry(IRegistryHives* hives) {
    CRegistryAccess registry = hives ? CRegistryAccess(*hives) : CRegistryAccess();
    registry.SetRootKey(HKEY_CURRENT_USER);
    return registry;
}

// Leading decimal digits with an optional sign; none gives 0.
int LeadingInteger(const std::string& text) {
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

}  // namespace

CGeneralSettingDlg::CGeneralSettingDlg(IRegistryHives* hives) : hives_(hives) {}

std::string CGeneralSettingDlg::ExecutablePath() const {
    if (!executablePath_.empty()) return executablePath_;
    // The program folder as every other part of the host sees it, plus the
    // running executable's own file name.
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return "";
    std::string folder = CSystemInfo().GetInfo("Path");
    if (folder.empty()) return self.string();
    if (folder.back() != '/') folder += '/';
    return folder + self.filename().string();
}

void CGeneralSettingDlg::OnInitDialog(IGeneralPageView& view, IGeneralPageParent* parent) {
    view_ = &view;
    parent_ = parent;
    view.SetIntervalRange(kIntervalMin, kIntervalMax);
    view.SetIntervalPosition(LoadInterval());
    view.SetFahrenheit(LoadTemperatureUnit() == 1);
    LoadAutoStart();
    view.SetAutoStartChecked(m_autoStart);
    view.SetMinimizeChecked(LoadMinimize());
    view.SetChangeAtStartChecked(LoadChangeAtStart());
}

void CGeneralSettingDlg::OnDestroy() {
    view_ = nullptr;
    parent_ = nullptr;
}

void CGeneralSettingDlg::ShowIntervalControls(bool show) {
    if (view_) view_->ShowIntervalControls(show);
}

void CGeneralSettingDlg::Changed() {
    if (parent_) parent_->EnableApply(true);
}

void CGeneralSettingDlg::OnAutoStartClicked() { m_autoStart = !m_autoStart; Changed(); }
void CGeneralSettingDlg::OnMinimizeClicked() { m_minimize = !m_minimize; Changed(); }
void CGeneralSettingDlg::OnChangeAtStartClicked() { m_changeAtStart = !m_changeAtStart; Changed(); }
void CGeneralSettingDlg::OnIntervalDelta() { Changed(); }

void CGeneralSettingDlg::OnCelsiusClicked() {
    if (parent_) parent_->TemperatureUnit() = 0;
    Changed();
}

void CGeneralSettingDlg::OnFahrenheitClicked() {
    if (parent_) parent_->TemperatureUnit() = 1;
    Changed();
}

int CGeneralSettingDlg::LoadInterval() {
    std::string text;
    if (UserRegistry(hives_).QueryString(kSettingsKey, "Interval", text)) {
        // The value sets the update timers' period: a hand-edited 0 or a huge
        // number would make a busy or a dead timer, so keep it in the page's range.
        m_interval = std::clamp(LeadingInteger(text), kIntervalMin, kIntervalMax);
    }
    return m_interval;
}

bool CGeneralSettingDlg::SaveInterval() {
    return UserRegistry(hives_).SetInt(kSettingsKey, "Interval", m_interval);
}

int CGeneralSettingDlg::LoadTemperatureUnit() {
    std::string text;
    UserRegistry(hives_).QueryString(kSettingsKey, "Temperature", text);
    m_fahrenheit = text == "1";
    return m_fahrenheit ? 1 : 0;
}

bool CGeneralSettingDlg::SaveTemperatureUnit() {
    if (parent_) m_fahrenheit = parent_->TemperatureUnit() != 0;
    return UserRegistry(hives_).SetString(kSettingsKey, "Temperature", m_fahrenheit ? "1" : "0");
}

bool CGeneralSettingDlg::LoadFlag(const char* name) {
    std::string text;
    UserRegistry(hives_).QueryString(kSettingsKey, name, text);
    return text == "TRUE";  // case matters: "true" reads as false
}

bool CGeneralSettingDlg::SaveFlag(const char* name, bool value) {
    return UserRegistry(hives_).SetString(kSettingsKey, name, value ? "TRUE" : "FALSE");
}

bool CGeneralSettingDlg::LoadMinimize() { return m_minimize = LoadFlag("Min"); }
bool CGeneralSettingDlg::SaveMinimize() { return SaveFlag("Min", m_minimize); }
bool CGeneralSettingDlg::LoadChangeAtStart() { return m_changeAtStart = LoadFlag("ChangeAtStart"); }
bool CGeneralSettingDlg::SaveChangeAtStart() { return SaveFlag("ChangeAtStart", m_changeAtStart); }

// There is no registry reflection or 32-bit view here, so the access needs no
// bracketing.
bool CGeneralSettingDlg::LoadAutoStart() {
    std::string path;
    m_autoStart = UserRegistry(hives_).QueryString(kRunKey, kRunValue, path);
    return m_autoStart;
}

bool CGeneralSettingDlg::SaveAutoStart() {
    CRegistryAccess registry = UserRegistry(hives_);
    if (m_autoStart) {
        const std::string path = ExecutablePath();
        if (path.empty()) return false;
        const bool stored = registry.SetString(kRunKey, kRunValue, path);
        const bool entry = autostartEntry_.Create(path, "Velmar");
        return stored && entry;
    }
    // Remove both even when one of them fails, so neither starts the program alone.
    std::string left;
    const bool deleted = registry.DeleteValue(kRunKey, kRunValue) ||
                         !registry.QueryString(kRunKey, kRunValue, left);
    const bool removed = autostartEntry_.Remove();
    return deleted && removed;
}

void CGeneralSettingDlg::SaveAll() {
    SaveAutoStart();
    SaveMinimize();
    SaveChangeAtStart();
    SaveTemperatureUnit();
    if (view_) m_interval = std::clamp(view_->IntervalPosition(), kIntervalMin, kIntervalMax);
    SaveInterval();
}
