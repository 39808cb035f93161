#include "monplugin/Judge.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace monitor {

namespace {

struct MarginRule {
    double share;    // of the limit's size
    double minimum;  // in the item's unit; volts are also held to two steps
};

constexpr MarginRule kVoltageMargin = {0.02, 0.0};
constexpr MarginRule kFanMargin = {0.05, 50.0};
constexpr int kVoltageMarginSteps = 2;

// One step of the input's byte in volts after the board's scaling.
double VoltageStep(const MonitorItem& item)
{
    return std::fabs(hwmon::ScaleVoltage(1, item.factor, item.negative) -
                     hwmon::ScaleVoltage(0, item.factor, item.negative));
}

ItemState JudgeTemperature(const MonitorItem& item, double value, ItemState previous)
{
    if (previous == ItemState::High) {
        const double clearAt = std::min(item.loLimit, item.hiLimit - kTemperatureClearDegrees);
        return value <= clearAt ? ItemState::Ok : ItemState::High;
    }
    return value > item.hiLimit ? ItemState::High : ItemState::Ok;
}

ItemState JudgeWindow(const MonitorItem& item, double value, ItemState previous)
{
    const auto fresh = [&] {
        if (value > item.hiLimit) {
            return ItemState::High;
        }
        return value < item.loLimit ? ItemState::Low : ItemState::Ok;
    };
    if (previous == ItemState::High && value > item.hiLimit - ClearMargin(item, item.hiLimit)) {
        return ItemState::High;
    }
    if (previous == ItemState::Low && value < item.loLimit + ClearMargin(item, item.loLimit)) {
        return ItemState::Low;
    }
    return fresh();
}

std::string Degrees(double celsius)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", celsius);
    return text;
}

}  // namespace

double ClearMargin(const MonitorItem& item, double limit)
{
    const MarginRule rule = item.itemClass == ItemClass::Fan ? kFanMargin : kVoltageMargin;
    double margin = std::max(rule.share * std::fabs(limit), rule.minimum);
    if (item.itemClass == ItemClass::Voltage) {
        margin = std::max(margin, kVoltageMarginSteps * VoltageStep(item));
    }
    return std::min(margin, (item.hiLimit - item.loLimit) / 2.0);
}

ItemState JudgeValue(const MonitorItem& item, double value, ItemState previous)
{
    return item.itemClass == ItemClass::Temperature ? JudgeTemperature(item, value, previous)
                                                    : JudgeWindow(item, value, previous);
}

Verdict Judge(const MonitorItem& item, const Reading& reading, ItemState previous)
{
    const std::string problem = ConfigurationProblem(item);
    if (!problem.empty()) {
        return {ItemState::Unavailable, problem};
    }
    switch (reading.outcome) {
    case Reading::Outcome::ChipError: return {ItemState::Unavailable, "the chip does not answer"};
    case Reading::Outcome::NoSensor:
        return {ItemState::Unavailable, "no sensor is connected (it reads " + Degrees(reading.raw) + " \u00B0C)"};
    case Reading::Outcome::NotRead: return {ItemState::Unavailable, "it has not been read yet"};
    case Reading::Outcome::Read: break;
    }
    if (!item.enable) {
        return {ItemState::Unwatched, {}};
    }
    return {JudgeValue(item, reading.value, previous), {}};
}

}  // namespace monitor
