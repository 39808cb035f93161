#include "autoplugin/AutoPacePlugin.h"

#include <cstring>

#include "autoplugin/PaceTexts.h"
#include "plugin_api/kit/HostCallback.h"
#include "plugin_api/kit/HostTemperatureUnit.h"

namespace autopace {

CAutoPacePlugin::CAutoPacePlugin(PacePlugInPorts ports)
    : CPagedPluginObject(kPluginId, ports.pages),
      load_(std::move(ports.load)),
      temperature_(std::move(ports.temperature)),
      timer_(std::move(ports.timer)),
      hives_(ports.hives),
      pacer_(PacerPorts{*load_, *temperature_, *timer_, ports.clock}, ReadPaceSettings(hives_),
             [](int mode) { pluginkit::NotifyHost(kPluginId, VARN_EVT_CHANGE_MODE_AUTOPACE, mode); })
{
    pacer_.SetObserver([this] {
        if (CPacePage* page = OpenPage()) {
            page->Refresh();
        }
    });
}

CAutoPacePlugin::~CAutoPacePlugin()
{
    ClosePage();
    pacer_.SetObserver(nullptr);
}

bool CAutoPacePlugin::Celsius() const
{
    return pluginkit::PageShowsCelsius(hives_, celsiusCommand_);
}

int32_t CAutoPacePlugin::SendCommand(const char* command, VARN_VALUE value1, VARN_VALUE)
{
    if (command == nullptr) {
        return 0;
    }
    if (std::strcmp(command, VARN_CMD_START_AUTOPACE) == 0) {
        pacer_.Start();
        return 1;
    }
    if (std::strcmp(command, VARN_CMD_STOP_AUTOPACE) == 0) {
        pacer_.Stop();
        return 1;
    }
    if (std::strcmp(command, VARN_CMD_SET_TEMPERATURE_DISP) == 0) {
        celsiusCommand_ = value1 == 0;
    }
    return 0;
}

int32_t CAutoPacePlugin::GetData(char* buffer, int32_t)
{
    pluginkit::WriteDocument(PaceDocument(pacer_, Celsius()), buffer);
    return 1;
}

std::unique_ptr<CPacePage> CAutoPacePlugin::MakePage()
{
    return std::make_unique<CPacePage>(pacer_, Celsius(),
                                       [] { pluginkit::NotifyHost(kPluginId, VARN_EVT_DLG_CHANGED, 0); });
}

bool CAutoPacePlugin::Commit(const CPacePage& page)
{
    const PaceSettings edited = page.Edited();
    pacer_.SetSettings(edited);
    return WritePaceSettings(hives_, edited);
}

void* CreateAutoPaceObject(const char* name, const std::function<PacePlugInPorts()>& make)
{
    return pluginkit::CreatePluginObject(name, [&] { return std::make_unique<CAutoPacePlugin>(make()); });
}

}  // namespace autopace
