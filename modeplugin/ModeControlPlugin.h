// "VARNOCCTRL_PLUGIN": the seven modes on the desktop's power profiles. The
// host sends "CHANGE_MODE", "GETCURR_MODE" and "TEST_MODE"; the plug-in
// sends "EXTERNAL_MODE_CHANGE" when the profile changes elsewhere. Its
// document says what each mode does now; its page sets the user modes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "modeplugin/ModeControl.h"
#include "modeplugin/ModePage.h"
#include "plugin_api/kit/PagedPluginObject.h"

class IRegistryHives;

namespace modes {

inline constexpr char kPluginId[] = "VARNOCCTRL_PLUGIN";

using ModePageWindows = pluginkit::IPageWindows<CModePage, IModePageView>;

// What the object uses. It owns the daemon's adapter and its timer (each
// object hears the daemon for itself); hives and pages must outlive it.
struct ModePlugInPorts {
    std::unique_ptr<IPowerProfiles> profiles;
    std::unique_ptr<pluginkit::ITimer> reportTimer;
    IRegistryHives& hives;
    ModePageWindows& pages;
};

class CModeControlPlugin : public pluginkit::CPagedPluginObject<CModePage, IModePageView> {
public:
    explicit CModeControlPlugin(ModePlugInPorts ports);
    ~CModeControlPlugin() override;

    int32_t SendCommand(const char* command, VARN_VALUE value1, VARN_VALUE value2) override;
    int32_t GetData(char* buffer, int32_t mode) override;

    const CModeControl& Control() const { return control_; }

protected:
    std::unique_ptr<CModePage> MakePage() override;
    bool Commit(const CModePage& page) override;

private:
    int32_t OnChangeMode(VARN_VALUE mode, VARN_VALUE);
    int32_t OnGetCurrentMode(VARN_VALUE out, VARN_VALUE);
    int32_t OnTestMode(VARN_VALUE, VARN_VALUE);

    std::unique_ptr<IPowerProfiles> profiles_;
    std::unique_ptr<pluginkit::ITimer> reportTimer_;
    IRegistryHives& hives_;
    CModeControl control_;
};

// Builds an object with the ports make() gives and queries it for name: the
// interface with a count of 1, or null (and no object).
void* CreateModeControlObject(const char* name, const std::function<ModePlugInPorts()>& make);

}  // namespace modes
