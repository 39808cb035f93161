#include "monplugin/MonitorDocument.h"

#include "plugin_api/kit/DataDocument.h"

namespace monitor {

namespace {

struct ClassNames {
    const char* section;
    const char* className;
};

ClassNames NamesOf(ItemClass itemClass)
{
    switch (itemClass) {
    case ItemClass::Temperature: return {"TEMPERATURE", "temperature"};
    case ItemClass::Fan: return {"FANSPEED", "fan"};
    default: return {"VOLTAGE", "voltage"};
    }
}

// The skins' order of sections, whatever order the board file lists them in.
constexpr ItemClass kSectionOrder[] = {ItemClass::Temperature, ItemClass::Fan, ItemClass::Voltage};

const char* Availability(ItemState state)
{
    if (InWarning(state)) {
        return "4";
    }
    return state == ItemState::Unavailable ? "2" : "3";
}

std::string Note(const MonitorSnapshot& snapshot, std::size_t i)
{
    const std::string& problem = snapshot.status[i].verdict.note;
    if (!problem.empty() || !snapshot.powerOffNote) {
        return problem;
    }
    return snapshot.powerOffNote(i);
}

pluginkit::CDataDocument::Fields ItemFields(const MonitorSnapshot& snapshot, std::size_t i)
{
    const MonitorItem& item = snapshot.items[i];
    const ItemStatus& status = snapshot.status[i];
    const bool celsius = snapshot.facts.celsius;
    const bool limitsKnown = !item.hiFromChip && !item.loFromChip;
    return {
        {"CAPTION", item.caption},
        {"CLASS", NamesOf(item.itemClass).className},
        {"VALUE", status.value ? ValueText(item.itemClass, *status.value) : ""},
        {"DISPLAY", status.value ? DisplayText(item.itemClass, *status.value, celsius) : kNoReading},
        {"HIGH_LIMIT", limitsKnown ? ValueText(item.itemClass, item.hiLimit) : ""},
        {"LOW_LIMIT", limitsKnown ? ValueText(item.itemClass, item.loLimit) : ""},
        {"LIMITS", LimitsText(item, celsius)},
        {"STATE", StateName(status.verdict.state)},
        {"NOTE", Note(snapshot, i)},
        {"AVAILABILITY", Availability(status.verdict.state)},
    };
}

std::string Samples(const CHistory::Row& row)
{
    std::string text;
    for (const std::optional<int>& sample : row) {
        if (!text.empty()) {
            text += ' ';
        }
        text += sample ? std::to_string(*sample) : "-";
    }
    return text;
}

// The document with the first `items` items in section order, with or
// without the history.
std::string Build(const MonitorSnapshot& snapshot, const std::vector<std::size_t>& order, std::size_t items,
                  bool history)
{
    pluginkit::CDataDocument document;
    for (std::size_t n = 0; n < items; ++n) {
        const std::size_t i = order[n];
        document.AddItem(NamesOf(snapshot.items[i].itemClass).section, snapshot.items[i].documentName,
                         ItemFields(snapshot, i));
    }
    if (history) {
        for (const std::size_t i : order) {
            const MonitorItem& item = snapshot.items[i];
            if (item.itemClass == ItemClass::Voltage) {
                continue;
            }
            document.AddItem("HISTORY", item.documentName,
                             {{"CAPTION", item.caption},
                              {"CLASS", NamesOf(item.itemClass).className},
                              {"SAMPLES", Samples(snapshot.history.Samples(i))},
                              {"STEP", std::to_string(kHistoryStepSeconds)}});
        }
    }
    const bool warning = WarningCount(snapshot.status) > 0;
    document.AddItem("MONITOR", "VARNEQ",
                     {{"WARNING", warning ? "1" : "0"},
                      {"COUNT", std::to_string(WarningCount(snapshot.status))},
                      {"UNIT", snapshot.facts.celsius ? "C" : "F"},
                      {"HOTTEST", HottestText(snapshot.items, snapshot.status, snapshot.facts.celsius)},
                      {"STATUS", StatusSentence(snapshot.items, snapshot.status, snapshot.facts)},
                      {"BOARD", snapshot.boardLine}});
    return document.Text();
}

}  // namespace

std::string MonitorDocument(const MonitorSnapshot& snapshot, std::size_t limit)
{
    std::vector<std::size_t> order;
    for (const ItemClass itemClass : kSectionOrder) {
        for (std::size_t i = 0; i < snapshot.items.size() && i < snapshot.status.size(); ++i) {
            if (snapshot.items[i].itemClass == itemClass) {
                order.push_back(i);
            }
        }
    }
    std::string text = Build(snapshot, order, order.size(), true);
    if (text.size() <= limit) {
        return text;
    }
    text = Build(snapshot, order, order.size(), false);
    if (text.size() <= limit) {
        return text;
    }
    // The most items that fit, found in a handful of builds.
    std::size_t fits = 0;
    std::size_t tooMany = order.size();
    while (tooMany - fits > 1) {
        const std::size_t middle = fits + (tooMany - fits) / 2;
        (Build(snapshot, order, middle, false).size() <= limit ? fits : tooMany) = middle;
    }
    return Build(snapshot, order, fits, false);
}

}  // namespace monitor
