// The library's one export. Everything the plug-in object needs from the
// machine is made here: per object the load and temperature sources and the
// timer; once the clock, the chip's port (libvarnio, under the suite's
// claims), the process's registry hives and the Qt page windows.
#include "VarnPlugin.h"
#include "autoplugin/AutoPacePlugin.h"
#include "autoplugin/ChipTemperature.h"
#include "autoplugin/linux/FileLoadSource.h"
#include "autoplugin/qt/PacePageWidget.h"
#include "hwmon/linux/VarnioPort.h"
#include "plugin_api/kit/ProcessHives.h"
#include "plugin_api/kit/qt/QtPageWindows.h"
#include "plugin_api/kit/qt/QtTimer.h"

extern "C" __attribute__((visibility("default"))) void* PlugIn_GetObject(const char* name)
{
    try {
        static hwmon::CVarnioPort port;
        static pluginkit::CSteadyClock clock;
        static pluginkit::CProcessHives hives;
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
