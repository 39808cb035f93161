#include "fanplugin/ReferenceTemperatureSource.h"

#include <strings.h>

#include "hwmon/ReferenceTemperature.h"

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

}  // namespace zefan
