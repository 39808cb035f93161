#include "SaveAndExit.h"

#include "PluginLoader.h"
#include "RegistryAccess.h"
#include "RegistryHives.h"

namespace {
const char* Bool(bool value) { return value ? "TRUE" : "FALSE"; }
}  // namespace

void CSaveAndExit::Run() {
    if (started_) return;
    started_ = true;
    CRegistryAccess registry = hives_ != nullptr ? CRegistryAccess(*hives_) : CRegistryAccess();
    registry.SetRootKey(HKEY_CURRENT_USER);
    // Each step runs whatever the one before did; failed writes are ignored.
    auto step = [](auto&& body) {
        try {
            body();
        } catch (...) {
        }
    };
    step([&] { frame_.StoreInitialSkin(); });
    step([&] {
        frame_.StopMainTimer();
        frame_.DeactivatePluginView();
    });
    step([&] {
        const ExitWindowState window = frame_.WindowState();
        registry.SetDword(kHostKey, "PosX", static_cast<uint32_t>(window.x));
        registry.SetDword(kHostKey, "PosY", static_cast<uint32_t>(window.y));
        registry.SetString(kHostKey, "TOP", Bool(window.topmost));
        registry.SetDword(kHostKey, "TRANS", window.alpha);
    });
    step([&] { frame_.UnloadPlugins(); });
    step([&] {
        const ExitModeState mode = frame_.ModeState();
        registry.SetDword(kHostKey, "Mode", static_cast<uint32_t>(mode.mode));
        registry.SetString(kHostKey, "AutoPace", Bool(mode.autoPace));
    });
    step([&] { frame_.DeleteTrayIcon(); });
    step([&] { frame_.EndProcess(0); });
}
