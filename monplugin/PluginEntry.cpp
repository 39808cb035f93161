// The library's one export. Everything the plug-in object needs from the
// machine is made here: per object the timer, the power-off and its notice;
// once the clock, the chip's port (libvarnio, under the suite's claims), the
// process's registry hives and the Qt page windows; the board file and the
// machine facts while the object starts.
#include "VarnPlugin.h"
#include "board/IniProfileReader.h"
#include "board/SystemInfoMachine.h"
#include "hwmon/linux/ProcessBackend.h"
#include "hwmon/linux/VarnioPort.h"
#include "monplugin/MonitorPlugin.h"
#include "monplugin/qt/MonitorPageWidget.h"
#include "monplugin/qt/QtPowerOff.h"
#include "monplugin/qt/QtShutdownNotice.h"
#include "plugin_api/kit/ProcessHives.h"
#include "plugin_api/kit/qt/QtPageWindows.h"
#include "plugin_api/kit/qt/QtTimer.h"

extern "C" __attribute__((visibility("default"))) void* PlugIn_GetObject(const char* name)
{
    try {
        static hwmon::CVarnioPort port;
        static pluginkit::CSteadyClock clock;
        static pluginkit::CProcessHives hives;
        static pluginkit::CQtPageWindows<monitor::CMonitorPageWidget, monitor::CMonitorPage, monitor::IMonitorPageView>
            pages;
        // Read once, while the object starts: a new object sees an edited file.
        const board::CIniProfileReader boardFile;
        const board::CSystemInfoMachine machine;
        return monitor::CreateMonitorObject(
            name,
            [] {
                return monitor::MonitorPorts{port,
                                             hwmon::ProcessBackendStatus,
                                             hives,
                                             clock,
                                             pages,
                                             std::make_unique<pluginkit::CQtTimer>(),
                                             std::make_unique<monitor::CQtPowerOff>(),
                                             std::make_unique<monitor::CQtShutdownNotice>()};
            },
            monitor::MonitorStartup{machine, boardFile});
    } catch (...) {
        return nullptr;
    }
}
