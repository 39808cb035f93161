// The library's one export. Everything the plug-in object needs from the
// machine is made here: per object the load and temperature sources and the
// timer; once the clock, the chip's port (libvarnio, under the suite's
// claims), the process's registry hives and the Qt page windows.
#include "RegistryHives.h"
#include "VarnPlugin.h"
#include "autoplugin/AutoPacePlugin.h"
#include "autoplugin/ChipTemperature.h"
#include "autoplugin/linux/FileLoadSource.h"
#include "autoplugin/qt/PacePageWidget.h"
#include "hwmon/linux/VarnioPort.h"
#include "plugin_api/kit/qt/QtPageWindows.h"
#include "plugin_api/kit/qt/QtTimer.h"

namespace {

// Asks for the process's hives at every access, so an override installed
// after the object was made is honoured.
class CProcessHives : public IRegistryHives {
public:
    CRegistryStore* Store(HKEY root) override { return ProcessRegistryHives().Store(root); }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) void* PlugIn_GetObject(const char* name)
{
    try {
        static hwmon::CVarnioPort port;
        static pluginkit::CSteadyClock clock;
        static CProcessHives hives;
        static pluginkit::CQtPageWindows<autopace::CPacePageWidget, autopace::CPacePage, autopace::IPacePageView>
            pages;
        return autopace::CreateAutoPaceObject(name, [] {
            return autopace::PacePlugInPorts{std::make_unique<autopace::CFileLoadSource>(),
                                             std::make_unique<autopace::CChipTemperature>(port),
                                             std::make_unique<pluginkit::CQtTimer>(), clock, hives, pages};
        });
    } catch (...) {
        return nullptr;
    }
}
