#include "modeplugin/ModeControlPlugin.h"

#include <cstring>
#include <memory>

#include "modeplugin/ModeSettings.h"
#include "modeplugin/ModeTexts.h"
#include "plugin_api/kit/DataDocument.h"
#include "plugin_api/kit/HostCallback.h"

namespace modes {

namespace {

struct CommandRow {
    const char* command;
    int32_t (CModeControlPlugin::*run)(VARN_VALUE, VARN_VALUE);
};

}  // namespace

CModeControlPlugin::CModeControlPlugin(ModePlugInPorts ports)
    : CPagedPluginObject(kPluginId, ports.pages),
      profiles_(std::move(ports.profiles)),
      reportTimer_(std::move(ports.reportTimer)),
      hives_(ports.hives),
      control_(*profiles_, *reportTimer_, ReadUserProfiles(hives_),
               [] { pluginkit::NotifyHost(kPluginId, VARN_EVT_EXTERNAL_MODE_CHANGE, 0); })
{
    control_.SetObserver([this] {
        if (CModePage* page = OpenPage()) {
            page->Refresh();
        }
    });
}

CModeControlPlugin::~CModeControlPlugin()
{
    ClosePage();
    control_.SetObserver(nullptr);
}

int32_t CModeControlPlugin::SendCommand(const char* command, VARN_VALUE value1, VARN_VALUE value2)
{
    static constexpr CommandRow kCommands[] = {
        {VARN_CMD_CHANGE_MODE, &CModeControlPlugin::OnChangeMode},
        {VARN_CMD_GETCURR_MODE, &CModeControlPlugin::OnGetCurrentMode},
        {VARN_CMD_TEST_MODE, &CModeControlPlugin::OnTestMode},
    };
    if (command == nullptr) {
        return 0;
    }
    for (const CommandRow& row : kCommands) {
        if (std::strcmp(command, row.command) == 0) {
            return (this->*row.run)(value1, value2);
        }
    }
    return 0;
}

int32_t CModeControlPlugin::OnChangeMode(VARN_VALUE mode, VARN_VALUE)
{
    return control_.ChangeMode(static_cast<long long>(mode)) ? 1 : 0;
}

int32_t CModeControlPlugin::OnGetCurrentMode(VARN_VALUE out, VARN_VALUE)
{
    auto* target = reinterpret_cast<int32_t*>(out);
    const std::optional<int> current = control_.CurrentMode();
    if (target == nullptr || !current) {
        return 0;
    }
    *target = *current;
    control_.HostShows(*current);
    return 1;
}

int32_t CModeControlPlugin::OnTestMode(VARN_VALUE, VARN_VALUE)
{
    control_.Reapply();
    return 1;
}

int32_t CModeControlPlugin::GetData(char* buffer, int32_t)
{
    pluginkit::WriteDocument(ModeDocument(control_), buffer);
    return 1;
}

std::unique_ptr<CModePage> CModeControlPlugin::MakePage()
{
    // An edit only enables Apply: the page applies its own changes on
    // commit, so the host need not send "TEST_MODE" in place of the next
    // mode it chooses.
    return std::make_unique<CModePage>(control_, [] { pluginkit::NotifyHost(kPluginId, VARN_EVT_DLG_CHANGED, 0); });
}

bool CModeControlPlugin::Commit(const CModePage& page)
{
    const bool stored = WriteUserProfiles(hives_, page.Edited());
    control_.SetUserProfiles(page.Edited());
    return stored;
}

void* CreateModeControlObject(const char* name, const std::function<ModePlugInPorts()>& make)
{
    return pluginkit::CreatePluginObject(name, [&] { return std::make_unique<CModeControlPlugin>(make()); });
}

}  // namespace modes
