#include "autoplugin/PaceSettings.h"

#include <algorithm>

#include "common/RegistryAccess.h"

namespace autopace {

PaceSettings Normalised(PaceSettings settings)
{
    for (const PaceField& field : kPaceFields) {
        int& value = settings.*field.member;
        value = std::clamp(value, field.low, field.high);
    }
    settings.quietLoad = std::min(settings.quietLoad, settings.turboLoad - 1);
    settings.quietTemp = std::min(settings.quietTemp, settings.turboTemp - 1);
    if (settings.loadSource.empty()) {
        settings.loadSource = kProcStat;
    }
    return settings;
}

PaceSettings ReadPaceSettings(IRegistryHives& hives)
{
    PaceSettings settings;
    CRegistryAccess registry(hives, CRegistryAccess::Edition::Plugin);
    if (!registry.SetRootKey(HKEY_CURRENT_USER)) {
        return settings;
    }
    for (const PaceField& field : kPaceFields) {
        std::uint32_t stored = 0;
        if (registry.QueryDword(kPaceSettingsKey, field.valueName, &stored)) {
            // A DWORD far out of range must not wrap into a plausible int.
            settings.*field.member = static_cast<int>(std::min<std::uint32_t>(stored, 1u << 30));
        }
    }
    std::string source;
    if (registry.QueryString(kPaceSettingsKey, kLoadSourceValue, source)) {
        settings.loadSource = source;
    }
    return Normalised(settings);
}

bool WritePaceSettings(IRegistryHives& hives, const PaceSettings& settings)
{
    const PaceSettings normal = Normalised(settings);
    CRegistryAccess registry(hives, CRegistryAccess::Edition::Plugin);
    bool stored = registry.SetRootKey(HKEY_CURRENT_USER);
    for (const PaceField& field : kPaceFields) {
        stored = stored && registry.SetDword(kPaceSettingsKey, field.valueName,
                                             static_cast<std::uint32_t>(normal.*field.member));
    }
    return stored;
}

}  // namespace autopace
