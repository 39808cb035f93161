#include "fanplugin/ZefanSettingDlg.h"

#include <cstring>
#include <memory>

#include "board/BoardFile.h"
#include "board/StoredItems.h"
#include "fanplugin/FanStatusDocument.h"
#include "hwmon/PortClaim.h"
#include "hwmon/ReferenceTemperature.h"
#include "hwmon/SensorTable.h"
#include "plugin_api/kit/HostCallback.h"
#include "plugin_api/kit/HostTemperatureUnit.h"

namespace zefan {

namespace {

std::vector<FanPageReference> PageReferences(const std::vector<ReferenceTemperatureSource>& sources)
{
    std::vector<FanPageReference> references;
    for (const auto& source : sources) {
        references.push_back({source.name, source.pinName, source.selector});
    }
    return references;
}

}  // namespace

// ---- The object.

CZefanSettingDlg::CZefanSettingDlg(const ZefanPorts& ports, const ZefanStartup& startup)
    : CPluginObject(kPluginId), ports_(ports)
{
    boardFile_ = board::ChooseBoardFile(startup.machine, startup.board);
    configPath_ = boardFile_.path;
    // A missing or short board file leaves the lists short or empty; the
    // plug-in then simply has fewer fans.
    board::ReadFanItems(startup.board, configPath_, itemCount_, configuredItems_);
    ReadTemperatureSources(startup.board, configPath_, sources_);

    for (const auto& item : configuredItems_) {
        auto controller = std::make_unique<hwmon::CFanController>(item, ports_.port, ports_.processors);
        controller->ReadLimits();
        controllers_.push_back(std::move(controller));
    }
    for (const auto& controller : controllers_) {
        if (controller->GetItemType() != hwmon::kItemTypeFan) {
            continue;
        }
        if (controller->GetFanCtrlPin() == "CPUFANIN1") {
            secondCpuFan_ = true;
        }
        shownFans_.push_back(controller.get());
    }
    ProgramAtStartup();
}

void CZefanSettingDlg::ProgramAtStartup()
{
    if (board::ReadStoredFanItems(ports_.hives, itemCount_, storedItems_)) {
        if (ApplyStoredSettings(controllers_, storedItems_)) {
            startup_ = StartupOutcome::Stored;
            return;
        }
    }
    if (ApplyConfiguredSettings(controllers_, configuredItems_)) {
        startup_ = StartupOutcome::Configured;
        SaveSettings();
    }
}

CZefanSettingDlg::~CZefanSettingDlg()
{
    // A destructor must not throw: the store may fail to allocate, and the
    // page is closed regardless.
    try {
        SaveSettings();
    } catch (...) {
    }
    try {
        ClosePage();
    } catch (...) {
    }
}

bool CZefanSettingDlg::SaveSettings()
{
    return board::SaveSmartFanSettings(ports_.hives, shownFans_);
}

int32_t CZefanSettingDlg::SendCommand(const char* command, VARN_VALUE value1, VARN_VALUE)
{
    if (command != nullptr && std::strcmp(command, VARN_CMD_SET_TEMPERATURE_DISP) == 0) {
        celsius_ = value1 == 0;
    } else if (command != nullptr && std::strcmp(command, VARN_CMD_SUSPEND_EVENT) == 0) {
        OnPowerEvent(value1);
    }
    return 0;
}

void CZefanSettingDlg::OnPowerEvent(VARN_VALUE event)
{
    constexpr VARN_VALUE kSuspend = 4;
    constexpr VARN_VALUE kResume = 7;
    if (event == kSuspend) {
        // The reference temperature is the chip's own choice until the user
        // makes one; keep it so it survives a reset too.
        int selector = 0;
        if (hwmon::ReadReferenceTemperatureSelector(ports_.port, selector) > 0) {
            referenceSelector_ = selector;
            selectorKnown_ = true;
        }
    } else if (event == kResume) {
        // Firmware often resets the hardware monitor on resume: the fans
        // would run at their power-on values until the next start.
        resumeProgrammed_ = ReprogramWorkingSettings(controllers_);
        if (selectorKnown_) {
            resumeProgrammed_ = hwmon::WriteReferenceTemperatureSelector(ports_.port, referenceSelector_) &&
                                resumeProgrammed_;
        }
    }
}

std::string CZefanSettingDlg::ChipProblem() const
{
    if (!ports_.chipStatus) {
        return {};
    }
    const hwmon::BackendStatus status = ports_.chipStatus();
    return status.Working() ? std::string()
                            : "The fan chip cannot be reached (" + status.Line() + "): changes cannot be applied.";
}

int32_t CZefanSettingDlg::GetData(char* buffer)
{
    // One claim for every fan's duty: the chip is reached once per document,
    // not once per fan.
    const hwmon::CPortClaim claim(ports_.port);
    WriteFanStatusDocument(shownFans_, buffer);
    return 1;
}

bool CZefanSettingDlg::CelsiusForPage() const
{
    return pluginkit::PageShowsCelsius(ports_.hives, celsius_);
}

VARN_WINDOW CZefanSettingDlg::CreatePage(VARN_WINDOW parent)
{
    if (window_) {
        return window_->Handle();
    }
    celsius_ = CelsiusForPage();
    if (hwmon::ReadReferenceTemperatureSelector(ports_.port, referenceSelector_) > 0) {
        selectorKnown_ = true;
    }

    FanPageSetup setup;
    setup.fans = shownFans_;
    setup.references = PageReferences(sources_);
    setup.secondCpuFan = secondCpuFan_;
    setup.referenceSelector = referenceSelector_;
    setup.celsius = celsius_;
    setup.boardFile = "Board file: " + board::DescribeBoardFile(boardFile_);
    setup.chipProblem = ChipProblem();
    setup.changed = [] { pluginkit::NotifyHost(kPluginId, VARN_EVT_DLG_CHANGED, 0); };
    setup.apply = [this] { ApplyPage(); };
    model_ = std::make_unique<CFanPageModel>(std::move(setup));

    window_ = ports_.pages.Create(parent, *model_);
    if (!window_) {
        model_.reset();
        return nullptr;
    }
    model_->Fill(window_->View());
    return window_->Handle();
}

bool CZefanSettingDlg::WriteSelector()
{
    referenceSelector_ = model_->ReferenceSelector();
    return hwmon::WriteReferenceTemperatureSelector(ports_.port, referenceSelector_);
}

bool CZefanSettingDlg::ApplyPage()
{
    WriteSelector();
    model_->Commit();
    return SaveSettings();
}

void CZefanSettingDlg::ClosePage()
{
    if (model_) {
        model_->DetachView();
    }
    window_.reset();
    model_.reset();
}

int32_t CZefanSettingDlg::OnOK()
{
    if (window_) {
        model_->Commit();
        SaveSettings();
        model_->Refresh();
        WriteSelector();
        ClosePage();
    }
    return Release();
}

int32_t CZefanSettingDlg::OnCancel()
{
    ClosePage();
    return Release();
}

int32_t CZefanSettingDlg::OnApply()
{
    if (!window_) {
        return 0;
    }
    return ApplyPage() ? 1 : 0;
}

void* CreateZefanObject(const char* name, const ZefanPorts& ports, const ZefanStartup& startup)
{
    // An object nobody can reach is discarded (its destructor still stores
    // what the start-up programmed).
    return pluginkit::CreatePluginObject(name, [&] { return std::make_unique<CZefanSettingDlg>(ports, startup); });
}

}  // namespace zefan
