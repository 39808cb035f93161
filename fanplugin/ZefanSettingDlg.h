// The plug-in object (the suite's plug-in object, pluginkit): IVARNExtend,
// IVARNInfo and IVARNDialog with one reference count. Creating it does the
// plug-in's whole start-up: read the board, build a fan controller per fan
// and program the chip from the user's stored or the board's settings.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "VarnPlugin.h"
#include "board/BoardFile.h"
#include "board/MachineInfo.h"
#include "board/ProfileReader.h"
#include "plugin_api/kit/PluginObject.h"
#include "fanplugin/FanPageModel.h"
#include "fanplugin/PageWindow.h"
#include "fanplugin/ReferenceTemperatureSource.h"
#include "fanplugin/StartupProgramming.h"
#include "hwmon/FanItemRecord.h"
#include "hwmon/PortIo.h"
#include "hwmon/ProcessorCount.h"

class IRegistryHives;

namespace zefan {

// What the object uses for its whole life; all must outlive it.
struct ZefanPorts {
    hwmon::IPortIo& port;
    const hwmon::IProcessorCount& processors;
    IRegistryHives& hives;
    IPageWindowFactory& pages;
};

// What only the start-up reads.
struct ZefanStartup {
    const board::IMachineInfo& machine;
    const board::IProfileReader& board;
};

inline constexpr char kPluginId[] = "ZEFAN_PLUGIN";

class CZefanSettingDlg : public pluginkit::CPluginObject {
public:
    CZefanSettingDlg(const ZefanPorts& ports, const ZefanStartup& startup);
    ~CZefanSettingDlg() override;

    int32_t SendCommand(const char* command, VARN_VALUE value1, VARN_VALUE value2) override;
    // The status document does not depend on the host's mode.
    int32_t GetData(char* buffer);
    int32_t GetData(char* buffer, int32_t) override { return GetData(buffer); }
    VARN_WINDOW CreatePage(VARN_WINDOW parent) override;
    int32_t OnOK() override;
    int32_t OnCancel() override;
    int32_t OnApply() override;

    // State the tests inspect.
    bool IsCelsius() const { return celsius_; }
    bool HasPage() const { return window_ != nullptr; }
    bool HasSecondCpuFan() const { return secondCpuFan_; }
    int ItemCount() const { return itemCount_; }
    const std::string& ConfigurationPath() const { return configPath_; }
    const board::BoardFileChoice& BoardFile() const { return boardFile_; }
    const std::vector<hwmon::CFanController*>& ShownFans() const { return shownFans_; }
    const std::vector<ReferenceTemperatureSource>& ReferenceSources() const { return sources_; }
    const std::vector<hwmon::FanItemRecord>& StoredFanItems() const { return storedItems_; }
    // How the chip was programmed at start-up: the stored settings, the
    // configured ones, or neither (nothing to program, or a chip error).
    enum class StartupOutcome { Stored, Configured, None };
    StartupOutcome Startup() const { return startup_; }

private:
    void ProgramAtStartup();
    bool SaveSettings();
    bool ApplyPage();
    bool WriteSelector();
    void ClosePage();
    bool CelsiusForPage() const;

    ZefanPorts ports_;
    bool celsius_ = true;
    int referenceSelector_ = 0;
    bool secondCpuFan_ = false;
    board::BoardFileChoice boardFile_;
    std::string configPath_;
    int itemCount_ = 0;
    std::vector<hwmon::FanItemRecord> configuredItems_;
    std::vector<hwmon::FanItemRecord> storedItems_;
    FanControllerList controllers_;
    std::vector<hwmon::CFanController*> shownFans_;
    std::vector<ReferenceTemperatureSource> sources_;
    StartupOutcome startup_ = StartupOutcome::None;

    // The page. The window forwards to the model, so it is declared after
    // it and destroyed first.
    std::unique_ptr<CFanPageModel> model_;
    std::unique_ptr<IPageWindow> window_;
};

// Builds an object and queries it for name: the interface with a count of 1,
// or null (and no object) for a name none of the four interfaces has.
void* CreateZefanObject(const char* name, const ZefanPorts& ports, const ZefanStartup& startup);

}  // namespace zefan
