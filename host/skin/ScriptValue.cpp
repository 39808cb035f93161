#include "ScriptValue.h"

#include <cmath>
#include <limits>

ScriptValue ScriptNumber(double value) {
    if (std::isfinite(value) && std::trunc(value) == value &&
        value >= std::numeric_limits<std::int32_t>::min() &&
        value <= std::numeric_limits<std::int32_t>::max())
        return static_cast<std::int32_t>(value);
    return value;
}

std::string ScriptValueText(const ScriptValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    return {};
}

int ScriptValueInt(const ScriptValue& value) {
    if (const auto* v16 = std::get_if<std::int16_t>(&value)) return *v16;
    if (const auto* v32 = std::get_if<std::int32_t>(&value)) return *v32;
    if (const auto* d = std::get_if<double>(&value)) {
        if (std::isnan(*d)) return 0;
        if (*d >= static_cast<double>(std::numeric_limits<int>::max()))
            return std::numeric_limits<int>::max();
        if (*d <= static_cast<double>(std::numeric_limits<int>::min()))
            return std::numeric_limits<int>::min();
        return static_cast<int>(std::trunc(*d));
    }
    return 0;
}
