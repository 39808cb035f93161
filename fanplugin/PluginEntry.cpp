// The library's one export. Everything the plug-in object needs from the
// machine is made here: the port library, the processor count, the process's
// registry hives, the system information, the board file and the toolkit's
// page windows.
#include "VarnPlugin.h"
#include "board/IniProfileReader.h"
#include "board/SystemInfoMachine.h"
#include "fanplugin/ToolkitPageWindows.h"
#include "fanplugin/ZefanSettingDlg.h"
#include "hwmon/linux/ProcessBackend.h"
#include "hwmon/linux/VarnioPort.h"
#include "hwmon/linux/SystemProcessorCount.h"
#include "plugin_api/kit/ProcessHives.h"

extern "C" __attribute__((visibility("default"))) void* PlugIn_GetObject(const char* name)
{
    try {
        static hwmon::CVarnioPort port;
        static hwmon::CSystemProcessorCount processors;
        static pluginkit::CProcessHives hives;
        // Read once, while the object starts: a new object sees an edited file.
        const board::CIniProfileReader boardFile;
        const board::CSystemInfoMachine machine;
        return zefan::CreateZefanObject(
            name,
            zefan::ZefanPorts{port, processors, hives, zefan::ToolkitPageWindowFactory(), hwmon::ProcessBackendStatus},
            zefan::ZefanStartup{machine, boardFile});
    } catch (...) {
        return nullptr;
    }
}
