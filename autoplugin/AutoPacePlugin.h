// "VARNAUTOPACE_PLUGIN": automatic mode selection. "START_AUTOPACE" and
// "STOP_AUTOPACE" switch it; its choices go to the host as
// "CHANGE_MODE_AUTOPACE". Its document tells the face what it does; its page
// sets the thresholds.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "autoplugin/AutoPacer.h"
#include "autoplugin/PacePage.h"
#include "plugin_api/kit/PagedPluginObject.h"

class IRegistryHives;

namespace autopace {

inline constexpr char kPluginId[] = "VARNAUTOPACE_PLUGIN";

using PacePageWindows = pluginkit::IPageWindows<CPacePage, IPacePageView>;

// What the object uses. It owns its sources and timer; clock, hives and
// pages must outlive it.
struct PacePlugInPorts {
    std::unique_ptr<ILoadSource> load;
    std::unique_ptr<ITemperatureSource> temperature;
    std::unique_ptr<pluginkit::ITimer> timer;
    const pluginkit::IClock& clock;
    IRegistryHives& hives;
    PacePageWindows& pages;
};

class CAutoPacePlugin : public pluginkit::CPagedPluginObject<CPacePage, IPacePageView> {
public:
    explicit CAutoPacePlugin(PacePlugInPorts ports);
    ~CAutoPacePlugin() override;

    int32_t SendCommand(const char* command, VARN_VALUE value1, VARN_VALUE value2) override;
    int32_t GetData(char* buffer, int32_t mode) override;

    const CAutoPacer& Pacer() const { return pacer_; }
    bool Celsius() const;

protected:
    std::unique_ptr<CPacePage> MakePage() override;
    bool Commit(const CPacePage& page) override;

private:

    std::unique_ptr<ILoadSource> load_;
    std::unique_ptr<ITemperatureSource> temperature_;
    std::unique_ptr<pluginkit::ITimer> timer_;
    IRegistryHives& hives_;
    bool celsiusCommand_ = true;
    CAutoPacer pacer_;
};

void* CreateAutoPaceObject(const char* name, const std::function<PacePlugInPorts()>& make);

}  // namespace autopace
