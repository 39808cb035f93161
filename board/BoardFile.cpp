#include "board/BoardFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "hwmon/SensorTable.h"

namespace board {

namespace {

using hwmon::FanItemRecord;

bool IsTrue(int value) { return value != 0; }
double Thousandths(int value) { return value * 0.001; }

// The board file's whole-number keys of a fan item, in the order they are
// read; -1 marks a missing key.
struct IniNumberKey {
    const char* key;
    void (*store)(FanItemRecord&, int);
};

constexpr IniNumberKey kIniNumberKeys[] = {
    {"Negative", [](FanItemRecord& r, int v) { r.negative = IsTrue(v); }},
    {"Enable", [](FanItemRecord& r, int v) { r.enable = IsTrue(v); }},
    {"BeepEnable", [](FanItemRecord& r, int v) { r.beepEnable = IsTrue(v); }},
    {"ShutDownEnable", [](FanItemRecord& r, int v) { r.shutDownEnable = IsTrue(v); }},
    {"HiBound", [](FanItemRecord& r, int v) { r.hiBound = Thousandths(v); }},
    {"LoBound", [](FanItemRecord& r, int v) { r.loBound = Thousandths(v); }},
    {"HiLimit", [](FanItemRecord& r, int v) { r.hiLimit = Thousandths(v); }},
    {"LoLimit", [](FanItemRecord& r, int v) { r.loLimit = Thousandths(v); }},
    {"Factor", [](FanItemRecord& r, int v) { r.factor = Thousandths(v); }},
    {"CpuNo", [](FanItemRecord& r, int v) { r.cpuNo = static_cast<std::uint8_t>(v); }},
    {"SmartFanSupport", [](FanItemRecord& r, int v) { r.smartFanSupport = IsTrue(v); }},
    {"SmartFanEnable", [](FanItemRecord& r, int v) { r.smartFanEnable = IsTrue(v); }},
    {"TargetTemp", [](FanItemRecord& r, int v) { r.targetTemp = v; }},
    {"ToleranceTemp", [](FanItemRecord& r, int v) { r.toleranceTemp = v; }},
    {"StartCtrl", [](FanItemRecord& r, int v) { r.startCtrl = v; }},
    {"StopCtrl", [](FanItemRecord& r, int v) { r.stopCtrl = v; }},
    {"FanOutputMode", [](FanItemRecord& r, int v) { r.fanOutputMode = v; }},
};

}  // namespace

std::string ItemSection(int n)
{
    char section[32];
    std::snprintf(section, sizeof section, kItemSectionFormat, n);
    return section;
}

int LoopCount(int itemCount) { return std::clamp(itemCount, 0, kMaxBoardItems); }

std::string ConfigurationFilePath(const IMachineInfo& facts)
{
    std::string model = facts.GetInfo("MBModel");
    std::replace(model.begin(), model.end(), '/', '_');
    return facts.GetInfo("Path") + model + ".ini";
}

BoardFileChoice ChooseBoardFile(const IMachineInfo& facts, const IProfileReader& files)
{
    BoardFileChoice choice;
    choice.model = facts.GetInfo("MBModel");
    choice.path = ConfigurationFilePath(facts);
    // Without a model the name would be the bare ".ini" of nobody's board.
    choice.found = !choice.model.empty() && files.Exists(choice.path);
    if (!choice.found) {
        choice.generic = true;
        choice.path = facts.GetInfo("Path") + kGenericBoardFile;
        choice.found = files.Exists(choice.path);
    }
    return choice;
}

std::string BoardFileReason(const BoardFileChoice& choice)
{
    if (choice.found && !choice.generic) {
        return "(board \"" + choice.model + "\")";
    }
    return std::string(choice.found ? "(generic" : "(missing") +
           (choice.model.empty() ? ": the firmware names no board)"
                                 : ": no board file for \"" + choice.model + "\")");
}

std::string DescribeBoardFile(const BoardFileChoice& choice)
{
    const std::size_t slash = choice.path.find_last_of('/');
    return (slash == std::string::npos ? choice.path : choice.path.substr(slash + 1)) + " " +
           BoardFileReason(choice);
}

bool ReadFanItems(const IProfileReader& ini, const std::string& path, int& itemCount,
                  std::vector<FanItemRecord>& items)
{
    items.clear();
    itemCount = ini.GetInt(path, kGlobalSection, kTotalItemCountKey, kMissingNumber);
    if (itemCount == kMissingNumber) {
        return false;
    }
    const int count = LoopCount(itemCount);
    for (int n = 1; n <= count; ++n) {
        const std::string section = ItemSection(n);
        if (ini.GetInt(path, section, "ItemType", kMissingNumber) != hwmon::kItemTypeFan) {
            continue;
        }
        FanItemRecord record;
        record.itemNo = n;
        record.itemType = hwmon::kItemTypeFan;
        record.name = ini.GetString(path, section, "Name", kMissingText, kBoardStringMaxChars);
        record.pinName = ini.GetString(path, section, "PinName", kMissingText, kBoardStringMaxChars);
        for (const auto& entry : kIniNumberKeys) {
            const int value = ini.GetInt(path, section, entry.key, kMissingNumber);
            if (value == kMissingNumber) {
                return false;
            }
            entry.store(record, value);
        }
        record.fanCtrlPin = ini.GetString(path, section, "FanCtrlPin", kMissingText, kBoardStringMaxChars);
        items.push_back(std::move(record));
    }
    return true;
}


}  // namespace board
