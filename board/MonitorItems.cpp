#include "board/MonitorItems.h"

#include <climits>

#include "board/BoardFile.h"
#include "hwmon/SensorTable.h"

namespace board {

namespace {

// No board writes this number, so it tells a missing key from any value,
// -1 (a limit of -0.001) included.
constexpr int kAbsent = INT_MIN;

double Thousandths(int value) { return value * 0.001; }

bool IsMonitorType(int type)
{
    return type == hwmon::kItemTypeVoltage || type == hwmon::kItemTypeTemperature || type == hwmon::kItemTypeFan;
}

// The whole-number keys and what a missing one means.
struct MonitorNumberKey {
    const char* key;
    void (*store)(MonitorItemRecord&, int);
};

constexpr MonitorNumberKey kMonitorNumberKeys[] = {
    {"Negative", [](MonitorItemRecord& r, int v) { r.negative = v != 0; }},
    {"Enable", [](MonitorItemRecord& r, int v) { r.enable = v != 0; }},
    {"BeepEnable", [](MonitorItemRecord& r, int v) { r.beepEnable = v != 0; }},
    {"ShutDownEnable", [](MonitorItemRecord& r, int v) { r.shutDownEnable = v != 0; }},
    {"HiLimit", [](MonitorItemRecord& r, int v) { r.hiLimit = Thousandths(v); }},
    {"LoLimit", [](MonitorItemRecord& r, int v) { r.loLimit = Thousandths(v); }},
    {"Factor", [](MonitorItemRecord& r, int v) { r.factor = Thousandths(v); }},
};

}  // namespace

bool ReadMonitorItems(const IProfileReader& ini, const std::string& path, int& itemCount,
                      std::vector<MonitorItemRecord>& items)
{
    items.clear();
    itemCount = ini.GetInt(path, kGlobalSection, kTotalItemCountKey, kMissingNumber);
    if (itemCount == kMissingNumber) {
        return false;
    }
    const int count = LoopCount(itemCount);
    for (int n = 1; n <= count; ++n) {
        const std::string section = ItemSection(n);
        const int type = ini.GetInt(path, section, "ItemType", kMissingNumber);
        if (!IsMonitorType(type)) {
            continue;
        }
        MonitorItemRecord record;
        record.itemNo = n;
        record.itemType = type;
        record.name = ini.GetString(path, section, "Name", kMissingText, kBoardStringMaxChars);
        record.pinName = ini.GetString(path, section, "PinName", kMissingText, kBoardStringMaxChars);
        for (const auto& entry : kMonitorNumberKeys) {
            const int value = ini.GetInt(path, section, entry.key, kAbsent);
            if (value != kAbsent) {
                entry.store(record, value);
            }
        }
        items.push_back(std::move(record));
    }
    return true;
}

}  // namespace board
