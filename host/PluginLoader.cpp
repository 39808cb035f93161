#include "PluginLoader.h"

#include <cstring>
#include <vector>

#include "MessageBox.h"
#include "PluginCalls.h"
#include "RegistryAccess.h"
#include "RegistryHives.h"

namespace {

// A plug-in whose Release never reports the expected count would otherwise
// hold the exit, and with it the storing of the mode, forever.
constexpr int kMaxReleaseRounds = 4096;

// Release until the remaining count is 1 or less.
void ReleaseDownToOne(IVARNExtend* member) {
    for (int round = 0; round < kMaxReleaseRounds; ++round)
        if (plugin_calls::Release(member) <= 1) return;
}

CRegistryAccess OpenRoot(IRegistryHives* hives, HKEY root) {
    CRegistryAccess access = hives != nullptr ? CRegistryAccess(*hives) : CRegistryAccess();
    access.SetRootKey(root);
    return access;
}

// The value's data up to its first NUL, whatever its type.
std::string ValueText(const RegistryValue& value) {
    const auto* bytes = reinterpret_cast<const char*>(value.data.data());
    const void* end = std::memchr(bytes, '\0', value.data.size());
    return std::string(bytes, end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - bytes)
                                             : value.data.size());
}

}  // namespace

CPluginLoader::CPluginLoader(IDynamicLoader& loader, ILibraryVersionReader& versions,
                             IMessageBox& messages, IRegistryHives* hives)
    : loader_(loader), versions_(versions), messages_(messages), hives_(hives) {}

std::string CPluginLoader::LibraryFileName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int32_t CPluginLoader::TemperatureUnit() const {
    std::string text;
    OpenRoot(hives_, HKEY_CURRENT_USER).QueryString(kHostKey, "Temperature", text);
    return text == "1" ? 1 : 0;
}

bool CPluginLoader::LoadAll(CLoadedPlugins& plugins, const PluginLoadContext& context) {
    try {
        // The store has no 32-bit view to ask for; the key is read as it is.
        std::vector<RegistryNamedValue> values;
        if (!OpenRoot(hives_, HKEY_LOCAL_MACHINE).EnumValues(kPluginKey, values)) return true;
        // Value names only served to read the data, which the enumeration
        // already gives: a long name no longer hides its library.
        for (const RegistryNamedValue& value : values) LoadOne(plugins, ValueText(value.value), context);
    } catch (...) {
        // Nothing may leave the loader; what loaded so far stays loaded.
    }
    return true;
}

void CPluginLoader::LoadOne(CLoadedPlugins& plugins, const std::string& path,
                            const PluginLoadContext& context) {
    void* library = loader_.Open(path);
    if (library == nullptr) return;
    auto getObject = reinterpret_cast<PlugIn_GetObjectFn>(loader_.Symbol(library, VARN_ENTRY_NAME));
    if (getObject == nullptr) {
        loader_.Close(library);
        return;
    }
    // Listed before the base interface is asked for: the About list shows
    // libraries that fail the next step too.
    plugins.entries_.push_back({LibraryFileName(path), versions_.Version(path)});

    auto* base = static_cast<IVARNPlugin*>(getObject(VARN_IID_PLUGIN));
    if (base == nullptr) {
        messages_.Show(kBaseInterfaceNotFound);
        loader_.Close(library);
        return;
    }

    const std::string name = plugin_calls::Name(base);
    if (const SpecialPlugin* special = FindSpecialPlugin(name)) {
        IVARNExtend*& member = plugins.special_[special->slot];
        // A second library with the same identifier takes the member over;
        // the earlier reference is given back rather than lost.
        plugin_calls::Release(member);
        member = plugin_calls::QueryExtend(base);
        switch (special->role) {
        case SpecialRole::Initialised:
            if (member != nullptr &&
                plugin_calls::SendCommand(member, VARN_CMD_INITIAL_PLUGIN, context.mainWindow, 0) == 0) {
                // Refused: give back both references while the library's code
                // is still there, then unload it.
                plugin_calls::Release(member);
                member = nullptr;
                plugin_calls::Release(base);
                loader_.Close(library);
                return;
            }
            break;
        case SpecialRole::ModeControl:
            if (member != nullptr && context.currentMode != nullptr)
                plugin_calls::SendCommand(member, VARN_CMD_GETCURR_MODE,
                                          reinterpret_cast<VARN_VALUE>(context.currentMode), 0);
            break;
        case SpecialRole::AutoPace:
        case SpecialRole::None:
            break;
        }
    }

    if (IVARNExtend* extend = plugin_calls::QueryExtend(base)) {
        plugin_calls::SendCommand(extend, VARN_CMD_SET_TEMPERATURE_DISP, TemperatureUnit(), 0);
        extend->vtbl->SetCallback(extend, 0, context.callback);
        plugin_calls::Release(extend);
    }
    plugins.libraries_.push_back(library);
    plugins.plugins_.push_back(base);
    plugins.entryOfPlugin_.push_back(plugins.entries_.size() - 1);
}

void CPluginLoader::UnloadAll(CLoadedPlugins& plugins) {
    try {
        for (int slot : {kVoiceSlot, kCourierSlot, kChatSlot, kClockSlot}) {
            IVARNExtend*& member = plugins.special_[slot];
            if (member == nullptr) continue;
            ReleaseDownToOne(member);
            member = nullptr;
        }
        plugin_calls::Release(plugins.special_[kModeControlSlot]);
        plugins.special_[kModeControlSlot] = nullptr;
        // "While more than 1" and "until 1 or less" are the same loop.
        if (IVARNExtend* autoPace = plugins.special_[kAutoPaceSlot]) ReleaseDownToOne(autoPace);
        plugins.special_[kAutoPaceSlot] = nullptr;
        plugins.ReleaseViewPluginInfo();
        plugins.viewBase_ = nullptr;

        // Emptied before the calls, so a re-entrant exit from inside a
        // Release finds nothing left to release twice.
        const std::vector<IVARNPlugin*> bases = std::move(plugins.plugins_);
        const std::vector<void*> libraries = std::move(plugins.libraries_);
        plugins.plugins_.clear();
        plugins.libraries_.clear();
        plugins.entryOfPlugin_.clear();
        for (IVARNPlugin* base : bases) plugin_calls::Release(base);
        for (void* library : libraries) loader_.Close(library);
    } catch (...) {
    }
}
