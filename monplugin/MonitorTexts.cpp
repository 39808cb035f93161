#include "monplugin/MonitorTexts.h"

#include <cmath>
#include <cstdio>

#include "plugin_api/kit/TemperatureUnits.h"

namespace monitor {

namespace {

constexpr const char* kRangeDash = " \u2013 ";
// One sentence stays one sentence on a board with dozens of items in warning.
constexpr int kNamedInStatus = 3;

int Whole(double value) { return static_cast<int>(std::lround(value)); }

std::string Volts(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    // -0.000 reads as a sign nobody measured.
    return std::string(text) == "-0.000" ? "0.000" : text;
}

std::string Temperature(double celsius, bool celsiusUnit)
{
    const int whole = Whole(celsius);
    return celsiusUnit ? std::to_string(whole) + " \u00B0C"
                       : std::to_string(pluginkit::TargetCelsiusToFahrenheit(whole)) + " \u00B0F";
}

std::string Plural(int count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

struct Counts {
    int ok = 0;
    int warning = 0;
    int unwatched = 0;
    int unavailable = 0;
};

Counts CountStates(const std::vector<ItemStatus>& status)
{
    Counts counts;
    for (const ItemStatus& item : status) {
        switch (item.verdict.state) {
        case ItemState::Ok: ++counts.ok; break;
        case ItemState::High:
        case ItemState::Low: ++counts.warning; break;
        case ItemState::Unwatched: ++counts.unwatched; break;
        case ItemState::Unavailable: ++counts.unavailable; break;
        }
    }
    return counts;
}

// " 2 readings are not watched; 1 is unavailable." and the like.
std::string Aside(const Counts& counts)
{
    std::string aside;
    if (counts.unwatched > 0) {
        aside += " " + Plural(counts.unwatched, "reading is", "readings are") + " not watched.";
    }
    if (counts.unavailable > 0) {
        aside += " " + Plural(counts.unavailable, "reading is", "readings are") + " unavailable.";
    }
    return aside;
}

}  // namespace

std::string ValueText(ItemClass itemClass, double value)
{
    return itemClass == ItemClass::Voltage ? Volts(value) : std::to_string(Whole(value));
}

std::string DisplayText(ItemClass itemClass, double value, bool celsius)
{
    switch (itemClass) {
    case ItemClass::Temperature: return Temperature(value, celsius);
    case ItemClass::Fan: return std::to_string(Whole(value)) + " rpm";
    default: return Volts(value) + " V";
    }
}

std::string LimitsText(const MonitorItem& item, bool celsius)
{
    if (!item.enable) {
        return "not watched";
    }
    if (item.hiFromChip || item.loFromChip) {
        return "limits unknown";
    }
    switch (item.itemClass) {
    case ItemClass::Temperature: return "below " + Temperature(item.hiLimit, celsius);
    case ItemClass::Fan: return std::to_string(Whole(item.loLimit)) + kRangeDash + std::to_string(Whole(item.hiLimit)) + " rpm";
    default: return Volts(item.loLimit) + kRangeDash + Volts(item.hiLimit) + " V";
    }
}

const char* StateName(ItemState state)
{
    switch (state) {
    case ItemState::Ok: return "ok";
    case ItemState::High: return "high";
    case ItemState::Low: return "low";
    case ItemState::Unwatched: return "unwatched";
    default: return "unavailable";
    }
}

int WarningCount(const std::vector<ItemStatus>& status) { return CountStates(status).warning; }

std::string HottestText(const std::vector<MonitorItem>& items, const std::vector<ItemStatus>& status, bool celsius)
{
    const double* hottest = nullptr;
    for (std::size_t i = 0; i < items.size() && i < status.size(); ++i) {
        if (items[i].itemClass == ItemClass::Temperature && status[i].value &&
            (hottest == nullptr || *status[i].value > *hottest)) {
            hottest = &*status[i].value;
        }
    }
    return hottest == nullptr ? kNoReading : Temperature(*hottest, celsius);
}

std::string StatusSentence(const std::vector<MonitorItem>& items, const std::vector<ItemStatus>& status,
                           const MonitorFacts& facts)
{
    if (items.empty()) {
        return facts.boardFound ? "The board file names no readings." : "No board file was found: nothing is watched.";
    }
    if (!facts.lostChip.empty()) {
        return "The chip cannot be read (" + facts.lostChip + "): no reading is watched.";
    }
    const Counts counts = CountStates(status);
    if (counts.warning == 0) {
        if (counts.ok == 0) {
            return "No reading is watched." + Aside(counts);
        }
        return (counts.ok == 1 ? std::string("The 1 watched reading is within its limits.")
                               : "All " + std::to_string(counts.ok) + " watched readings are within their limits.") +
               Aside(counts);
    }
    std::string sentence =
        counts.warning == 1 ? "1 reading is outside its limits:"
                            : std::to_string(counts.warning) + " readings are outside their limits:";
    const char* separator = " ";
    int named = 0;
    for (std::size_t i = 0; i < items.size() && i < status.size() && named < kNamedInStatus; ++i) {
        if (!InWarning(status[i].verdict.state) || !status[i].value) {
            continue;
        }
        sentence += separator + items[i].caption + " " +
                    DisplayText(items[i].itemClass, *status[i].value, facts.celsius) + " (" +
                    LimitsText(items[i], facts.celsius) + ")";
        separator = ", ";
        ++named;
    }
    if (counts.warning > named) {
        sentence += " and " + std::to_string(counts.warning - named) + " more";
    }
    return sentence + "." + Aside(counts);
}

}  // namespace monitor
