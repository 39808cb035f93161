#include "fanplugin/ReferenceTemperatureSource.h"

#include <strings.h>

#include "board/BoardFile.h"
#include "hwmon/ReferenceTemperature.h"
#include "hwmon/SensorTable.h"

namespace zefan {

namespace {

struct PinSelector {
    const char* pin;
    int selector;
};

constexpr PinSelector kPinSelectors[] = {
    {"SYSTIN", hwmon::kSelectorSystin},
    {"CPUTIN", hwmon::kSelectorCputin},
    {"AUXTIN", hwmon::kSelectorAuxtin},
};

}  // namespace

int SelectorForPin(std::string_view pinName)
{
    for (const auto& entry : kPinSelectors) {
        const std::string_view pin(entry.pin);
        if (pinName.size() == pin.size() &&
            ::strncasecmp(pinName.data(), pin.data(), pin.size()) == 0) {
            return entry.selector;
        }
    }
    return hwmon::kSelectorSystin;
}

bool ReadTemperatureSources(const board::IProfileReader& ini, const std::string& path,
                            std::vector<ReferenceTemperatureSource>& sources)
{
    sources.clear();
    const int itemCount = ini.GetInt(path, board::kGlobalSection, board::kTotalItemCountKey, board::kMissingNumber);
    if (itemCount == board::kMissingNumber) {
        return false;
    }
    const int count = board::LoopCount(itemCount);
    for (int n = 1; n <= count; ++n) {
        const std::string section = board::ItemSection(n);
        if (ini.GetInt(path, section, "ItemType", board::kMissingNumber) != hwmon::kItemTypeTemperature) {
            continue;
        }
        ReferenceTemperatureSource source;
        source.name = ini.GetString(path, section, "Name", board::kMissingText, board::kBoardStringMaxChars);
        source.pinName = ini.GetString(path, section, "PinName", board::kMissingText, board::kBoardStringMaxChars);
        source.selector = SelectorForPin(source.pinName);
        // The auxiliary input is the chip's default source and is not offered;
        // only the exact spelling is left out.
        if (source.pinName != "AUXTIN") {
            sources.push_back(std::move(source));
        }
    }
    return true;
}

}  // namespace zefan
