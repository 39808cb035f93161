// "VARNEQ_PLUGIN": the hardware monitor. It reads every board item from the
// chip, judges each against its limits, tells the host "HARDWARE_WARNING" 1
// when a watched item enters warning and 0 when none is left, answers the
// monitor's data document, powers the machine off for an item that stays
// too hot where the user asked for that, and offers a settings page.
//
// The chip is read about once per host tick, never twice: GetData samples
// when the last sample is older than 500 ms; the plug-in's own 2-second
// timer samples when none was taken in the last 1.5 s, so warnings still
// arise while the host's window sits in the tray and nobody asks for
// documents. Nothing is read while the object is made: the host registers
// its callback only afterwards.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "board/BoardFile.h"
#include "hwmon/PortIo.h"
#include "hwmon/varnio/BackendStatus.h"
#include "monplugin/History.h"
#include "monplugin/ItemSetup.h"
#include "monplugin/Judge.h"
#include "monplugin/MonitorPage.h"
#include "monplugin/PowerOff.h"
#include "monplugin/Sampler.h"
#include "monplugin/ShutdownGuard.h"
#include "monplugin/WarningSignal.h"
#include "plugin_api/kit/PagedPluginObject.h"
#include "plugin_api/kit/Timer.h"

class IRegistryHives;

namespace monitor {

inline constexpr char kPluginId[] = "VARNEQ_PLUGIN";
inline constexpr int kTimerPeriodMs = 2000;
inline constexpr std::int64_t kDocumentSampleAgeMs = 500;
inline constexpr std::int64_t kTimerSampleAgeMs = 1500;

using MonitorPageWindows = pluginkit::IPageWindows<CMonitorPage, IMonitorPageView>;

// What the object uses. It owns its timer, power-off and notice; the rest
// must outlive it.
struct MonitorPorts {
    hwmon::IPortIo& port;
    // What the backend says when the chip stops answering.
    std::function<hwmon::BackendStatus()> chipStatus;
    IRegistryHives& hives;
    const pluginkit::IClock& clock;
    MonitorPageWindows& pages;
    std::unique_ptr<pluginkit::ITimer> timer;
    std::unique_ptr<IPowerOff> powerOff;
    std::unique_ptr<IShutdownNotice> notice;
};

// Read once, while the object is made.
struct MonitorStartup {
    const board::IMachineInfo& machine;
    const board::IProfileReader& board;
};

class CMonitorPlugin : public pluginkit::CPagedPluginObject<CMonitorPage, IMonitorPageView> {
public:
    CMonitorPlugin(MonitorPorts ports, const MonitorStartup& startup);
    ~CMonitorPlugin() override;

    int32_t SendCommand(const char* command, VARN_VALUE value1, VARN_VALUE value2) override;
    int32_t GetData(char* buffer, int32_t mode) override;

    const std::vector<MonitorItem>& Items() const { return items_; }
    const std::vector<ItemStatus>& Status() const { return status_; }
    std::string Document() const;

protected:
    std::unique_ptr<CMonitorPage> MakePage() override;
    bool Commit(const CMonitorPage& page) override;

private:
    void SampleIfOlderThan(std::int64_t ageMs);
    void Sample();
    // Judges the last readings again (after a sample, or new settings) and
    // tells the host and the power-off what changed.
    void JudgeAll();
    bool Celsius() const;

    hwmon::IPortIo& port_;
    std::function<hwmon::BackendStatus()> chipStatus_;
    IRegistryHives& hives_;
    const pluginkit::IClock& clock_;
    std::unique_ptr<pluginkit::ITimer> timer_;
    std::unique_ptr<IPowerOff> powerOff_;
    std::unique_ptr<IShutdownNotice> notice_;

    board::BoardFileChoice boardFile_;
    std::vector<SetupItem> setup_;
    std::vector<MonitorItem> items_;
    CSampler sampler_;
    std::vector<Reading> readings_;
    std::vector<ItemStatus> status_;
    CHistory history_;
    CShutdownGuard guard_;
    CWarningSignal warning_;
    std::optional<std::int64_t> lastSampleMs_;
    std::string lostChip_;
    bool celsiusCommand_ = true;
};

void* CreateMonitorObject(const char* name, const std::function<MonitorPorts()>& make, const MonitorStartup& startup);

}  // namespace monitor
