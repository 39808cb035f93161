// The library's one export. Everything the plug-in object needs from the
// machine is made here: per object the power profiles daemon on the system
// bus and the report timer, once the process's registry hives and the Qt page
// windows.
#include "VarnPlugin.h"
#include "modeplugin/ModeControlPlugin.h"
#include "modeplugin/qt/ModePageWidget.h"
#include "modeplugin/qt/QtPowerProfiles.h"
#include "plugin_api/kit/ProcessHives.h"
#include "plugin_api/kit/qt/QtPageWindows.h"
#include "plugin_api/kit/qt/QtTimer.h"

extern "C" __attribute__((visibility("default"))) void* PlugIn_GetObject(const char* name)
{
    try {
        static pluginkit::CProcessHives hives;
        static pluginkit::CQtPageWindows<modes::CModePageWidget, modes::CModePage, modes::IModePageView> pages;
        // The adapters are QObjects of the host's thread, made on it and
        // destroyed with the object, before the library goes.
        return modes::CreateModeControlObject(name, [] {
            return modes::ModePlugInPorts{std::make_unique<modes::CQtPowerProfiles>(),
                                          std::make_unique<pluginkit::CQtTimer>(), hives, pages};
        });
    } catch (...) {
        return nullptr;
    }
}
