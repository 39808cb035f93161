#include "OperatingModes.h"

#include <cstring>

#include "LoadedPlugins.h"
#include "PluginCalls.h"
#include "PluginLoader.h"
#include "RegistryAccess.h"
#include "RegistryHives.h"
#include "VarnPlugin.h"

const OperatingMode kOperatingModes[kModeCount] = {
    {0, "Default", 1016}, {1, "Turbo", 1017}, {2, "Normal", 1018}, {3, "Quiet", 1019},
    {4, "User1", 1020},   {5, "User2", 1021}, {6, "User3", 1022},
};

namespace {

bool IsMode(int32_t value) { return value >= 0 && value < kModeCount; }

// One row of the event table: sender null matches any sender; the value test
// decides whether the row applies at all.
struct EventRow {
    const char* sender;
    const char* event;
    bool (*accepts)(int32_t value);
    void (COperatingModes::*react)(int32_t value);
};

bool AnyValue(int32_t) { return true; }
bool WarningValue(int32_t value) { return value == 0 || value == 1; }

}  // namespace

StartModeSettings ReadStartModeSettings(IRegistryHives* hives) {
    CRegistryAccess user = hives != nullptr ? CRegistryAccess(*hives) : CRegistryAccess();
    user.SetRootKey(HKEY_CURRENT_USER);
    StartModeSettings settings;
    user.QueryString(kHostKey, "ChangeAtStart", settings.changeAtStart);
    user.QueryString(kHostKey, "AutoPace", settings.autoPace);
    uint32_t mode = 0;
    // A number outside the seven modes (an edited or damaged store) is no
    // mode: it would be sent to the mode-control plug-in and shown nowhere.
    settings.hasMode = user.QueryDword(kHostKey, "Mode", &mode) && IsMode(static_cast<int32_t>(mode));
    settings.mode = settings.hasMode ? static_cast<int32_t>(mode) : 0;
    return settings;
}

COperatingModes::COperatingModes(const CLoadedPlugins& plugins, ModePorts ports)
    : plugins_(plugins), ports_(ports) {}

bool COperatingModes::OnModeCommand(int command) {
    for (const OperatingMode& mode : kOperatingModes)
        if (mode.command == command) {
            ChangeMode(mode.number);
            return true;
        }
    return false;
}

void COperatingModes::BeginChangeMode(int mode) {
    ports_.page.CallScript("BeginChangeMode", std::to_string(mode), "");
}

void COperatingModes::ApplyStep(int mode) {
    IVARNExtend* modeControl = plugins_.ModeControl();
    if (DlgChanged) {
        plugin_calls::SendCommand(modeControl, VARN_CMD_TEST_MODE, 0, 0);
    } else {
        plugin_calls::SendCommand(modeControl, VARN_CMD_CHANGE_MODE, mode, 0);
    }
    DlgChanged = false;
}

void COperatingModes::ChangeMode(int mode) {
    CurrentMode = mode;
    BeginChangeMode(mode);
    ApplyStep(mode);
    ports_.view.ShowViewDocument(mode);
}

void COperatingModes::ApplyModeAfterSettings() { ApplyStep(CurrentMode); }

void COperatingModes::OnExternalModeChange() {
    plugin_calls::SendCommand(plugins_.ModeControl(), VARN_CMD_GETCURR_MODE,
                              reinterpret_cast<VARN_VALUE>(&CurrentMode), 0);
    BeginChangeMode(CurrentMode);
    ports_.view.ShowViewDocument(CurrentMode);
}

void COperatingModes::SetAutoPaceFromPage(const std::string& autopace) {
    AutoPaceOn = autopace == "true";
    plugin_calls::SendCommand(plugins_.AutoPace(),
                              AutoPaceOn ? VARN_CMD_START_AUTOPACE : VARN_CMD_STOP_AUTOPACE, 0, 0);
}

void COperatingModes::RestoreAtStart(const StartModeSettings& settings) {
    if (settings.changeAtStart == "TRUE") {
        if (settings.autoPace != "TRUE") {
            CurrentMode = settings.hasMode ? settings.mode : 0;
            plugin_calls::SendCommand(plugins_.ModeControl(), VARN_CMD_CHANGE_MODE, CurrentMode, 0);
        } else if (plugins_.AutoPace() != nullptr) {
            AutoPaceOn = true;
            plugin_calls::SendCommand(plugins_.AutoPace(), VARN_CMD_START_AUTOPACE, 0, 0);
            ports_.page.CallScript("SetAutoPace", "true", "");
            BeginChangeMode(CurrentMode);
        }
    }
    if (plugins_.ModeControl() != nullptr) BeginChangeMode(CurrentMode);
}

void COperatingModes::OnAutoPaceChoice(int32_t value) {
    if (IsMode(value)) OnModeCommand(kFirstModeCommand + value);
}

void COperatingModes::OnHardwareWarning(int32_t value) {
    if (value == 0) {
        WarningActive = false;
        ports_.tray.EndAnimation();
        ports_.warningTimer.Stop();
    } else if (value == 1) {
        if (!WarningActive) {
            ports_.tray.StartAnimation();
            WarningActive = true;
        }
        if (!WindowShown) ports_.warningTimer.Start(kWarningTimerInTrayMs);
    }
}

void COperatingModes::OnModeReported(int32_t) { OnExternalModeChange(); }

void COperatingModes::OnDialogChanged(int32_t value) {
    if (value == 1) DlgChanged = true;
    ports_.settings.EnableApply(true);
}

int32_t COperatingModes::OnPluginEvent(const char* sender, const char* event, int32_t value) {
    static const EventRow kRows[] = {
        {VARN_PLUGIN_AUTOPACE, VARN_EVT_CHANGE_MODE_AUTOPACE, IsMode, &COperatingModes::OnAutoPaceChoice},
        {VARN_PLUGIN_EQ, VARN_EVT_HARDWARE_WARNING, WarningValue, &COperatingModes::OnHardwareWarning},
        {nullptr, VARN_EVT_DLG_CHANGED, AnyValue, &COperatingModes::OnDialogChanged},
        {VARN_PLUGIN_OCCTRL, VARN_EVT_EXTERNAL_MODE_CHANGE, AnyValue, &COperatingModes::OnModeReported},
    };
    if (sender == nullptr || event == nullptr) return 0;
    for (const EventRow& row : kRows) {
        if (row.sender != nullptr && std::strcmp(sender, row.sender) != 0) continue;
        if (std::strcmp(event, row.event) != 0 || !row.accepts(value)) continue;
        (this->*row.react)(value);
        return 0;
    }
    return 0;
}
