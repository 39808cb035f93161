#include "fanplugin/BoardConfiguration.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "RegistryAccess.h"
#include "RegistryHives.h"
#include "hwmon/SensorTable.h"

namespace zefan {

namespace {

using hwmon::FanItemRecord;

constexpr int kMissingNumber = -1;

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

// The stored values of a fan item, in the order they are read. Strings and
// DWORDs are mixed, so each entry says which it is.
struct StoredValue {
    const char* name;
    void (*storeNumber)(FanItemRecord&, std::int32_t);
    std::string FanItemRecord::*text;
};

constexpr StoredValue kStoredValues[] = {
    {"Name", nullptr, &FanItemRecord::name},
    {"PinName", nullptr, &FanItemRecord::pinName},
    {"ItemNo", [](FanItemRecord& r, std::int32_t v) { r.itemNo = v; }, nullptr},
    {"ItemType", [](FanItemRecord& r, std::int32_t v) { r.itemType = v; }, nullptr},
    {"Enable", [](FanItemRecord& r, std::int32_t v) { r.enable = IsTrue(v); }, nullptr},
    {"BeepEnable", [](FanItemRecord& r, std::int32_t v) { r.beepEnable = IsTrue(v); }, nullptr},
    {"ShutDownEnable", [](FanItemRecord& r, std::int32_t v) { r.shutDownEnable = IsTrue(v); }, nullptr},
    {"HiLimit", [](FanItemRecord& r, std::int32_t v) { r.hiLimit = Thousandths(v); }, nullptr},
    {"LoLimit", [](FanItemRecord& r, std::int32_t v) { r.loLimit = Thousandths(v); }, nullptr},
    {"SmartFanSupport", [](FanItemRecord& r, std::int32_t v) { r.smartFanSupport = IsTrue(v); }, nullptr},
    {"SmartFanEnable", [](FanItemRecord& r, std::int32_t v) { r.smartFanEnable = IsTrue(v); }, nullptr},
    {"TargetTemp", [](FanItemRecord& r, std::int32_t v) { r.targetTemp = v; }, nullptr},
    {"ToleranceTemp", [](FanItemRecord& r, std::int32_t v) { r.toleranceTemp = v; }, nullptr},
    {"StartCtrl", [](FanItemRecord& r, std::int32_t v) { r.startCtrl = v; }, nullptr},
    {"StopCtrl", [](FanItemRecord& r, std::int32_t v) { r.stopCtrl = v; }, nullptr},
    {"FanCtrlPin", nullptr, &FanItemRecord::fanCtrlPin},
};

// What this plug-in owns in a stored item: written on every save.
struct SavedValue {
    const char* name;
    std::uint32_t (*number)(const FanItemRecord&);  // null: the string below
    std::string FanItemRecord::*text;
};

constexpr SavedValue kSavedValues[] = {
    {"SmartFanSupport", [](const FanItemRecord& r) -> std::uint32_t { return r.smartFanSupport ? 1 : 0; }, nullptr},
    {"SmartFanEnable", [](const FanItemRecord& r) -> std::uint32_t { return r.smartFanEnable ? 1 : 0; }, nullptr},
    {"TargetTemp", [](const FanItemRecord& r) { return static_cast<std::uint32_t>(r.targetTemp); }, nullptr},
    {"ToleranceTemp", [](const FanItemRecord& r) { return static_cast<std::uint32_t>(r.toleranceTemp); }, nullptr},
    {"StartCtrl", [](const FanItemRecord& r) { return static_cast<std::uint32_t>(r.startCtrl); }, nullptr},
    {"StopCtrl", [](const FanItemRecord& r) { return static_cast<std::uint32_t>(r.stopCtrl); }, nullptr},
    {"FanCtrlPin", nullptr, &FanItemRecord::fanCtrlPin},
};

std::uint32_t ToThousandths(double value)
{
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(value * 1000.0)));
}

// The values the reader needs that belong to the hardware-monitor software.
// Where that software is not installed nobody else writes them, and without
// them the user's saved settings would never be read back: every start would
// program the board's defaults over them. They are added only when absent.
struct IdentityValue {
    const char* name;
    std::uint32_t (*number)(const hwmon::CFanController&);  // null: the string below
    const std::string& (*text)(const hwmon::CFanController&);
};

constexpr IdentityValue kIdentityValues[] = {
    {"Name", nullptr, [](const hwmon::CFanController& f) -> const std::string& { return f.GetName(); }},
    {"PinName", nullptr, [](const hwmon::CFanController& f) -> const std::string& { return f.GetPinName(); }},
    {"ItemNo", [](const hwmon::CFanController& f) { return static_cast<std::uint32_t>(f.GetItemNo()); }, nullptr},
    {"ItemType", [](const hwmon::CFanController& f) { return static_cast<std::uint32_t>(f.GetItemType()); }, nullptr},
    {"Enable", [](const hwmon::CFanController& f) -> std::uint32_t { return f.GetItemEnable() ? 1 : 0; }, nullptr},
    {"BeepEnable", [](const hwmon::CFanController& f) -> std::uint32_t { return f.GetBeepEnable() ? 1 : 0; }, nullptr},
    {"ShutDownEnable", [](const hwmon::CFanController& f) -> std::uint32_t { return f.GetShutDownEnable() ? 1 : 0; }, nullptr},
    {"HiLimit", [](const hwmon::CFanController& f) { return ToThousandths(f.GetHighLimit()); }, nullptr},
    {"LoLimit", [](const hwmon::CFanController& f) { return ToThousandths(f.GetLowLimit()); }, nullptr},
};

std::string ItemSection(int n)
{
    char section[32];
    std::snprintf(section, sizeof section, kItemSectionFormat, n);
    return section;
}

// The count as the loops use it: a missing or negative count reads no item.
int LoopCount(int itemCount) { return std::clamp(itemCount, 0, kMaxBoardItems); }

CRegistryAccess CurrentUser(IRegistryHives& hives)
{
    CRegistryAccess registry(hives, CRegistryAccess::Edition::Plugin);
    registry.SetRootKey(HKEY_CURRENT_USER);
    return registry;
}

bool ValueExists(const CRegistryAccess& registry, const std::string& key, const char* name,
                 bool isText)
{
    if (isText) {
        std::string text;
        return registry.QueryString(key, name, text);
    }
    std::uint32_t number = 0;
    return registry.QueryDword(key, name, &number);
}

}  // namespace

std::string ConfigurationFilePath(const IMachineInfo& facts)
{
    std::string model = facts.GetInfo("MBModel");
    std::replace(model.begin(), model.end(), '/', '_');
    return facts.GetInfo("Path") + model + ".ini";
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

bool ReadTemperatureSources(const IProfileReader& ini, const std::string& path,
                            std::vector<ReferenceTemperatureSource>& sources)
{
    sources.clear();
    const int itemCount = ini.GetInt(path, kGlobalSection, kTotalItemCountKey, kMissingNumber);
    if (itemCount == kMissingNumber) {
        return false;
    }
    const int count = LoopCount(itemCount);
    for (int n = 1; n <= count; ++n) {
        const std::string section = ItemSection(n);
        if (ini.GetInt(path, section, "ItemType", kMissingNumber) != hwmon::kItemTypeTemperature) {
            continue;
        }
        ReferenceTemperatureSource source;
        source.name = ini.GetString(path, section, "Name", kMissingText, kBoardStringMaxChars);
        source.pinName = ini.GetString(path, section, "PinName", kMissingText, kBoardStringMaxChars);
        source.selector = SelectorForPin(source.pinName);
        // The auxiliary input is the chip's default source and is not offered;
        // only the exact spelling is left out.
        if (source.pinName != "AUXTIN") {
            sources.push_back(std::move(source));
        }
    }
    return true;
}

std::string StoredItemKey(int itemNo)
{
    char key[64];
    std::snprintf(key, sizeof key, "%s\\%d", kStoredItemsKey, itemNo);
    return key;
}

bool ReadStoredFanItems(IRegistryHives& hives, int itemCount, std::vector<FanItemRecord>& items)
{
    items.clear();
    const CRegistryAccess registry = CurrentUser(hives);
    if (!registry.KeyExists(kStoredItemsKey)) {
        return false;
    }
    const int count = LoopCount(itemCount);
    for (int i = 1; i <= count; ++i) {
        const std::string key = StoredItemKey(i);
        std::int32_t type = 0;
        if (!registry.QueryDword(key, "ItemType", &type) || type != hwmon::kItemTypeFan) {
            continue;
        }
        FanItemRecord record;
        for (const auto& value : kStoredValues) {
            if (value.text != nullptr) {
                if (!registry.QueryString(key, value.name, record.*value.text)) {
                    return false;
                }
                continue;
            }
            std::int32_t number = 0;
            if (!registry.QueryDword(key, value.name, &number)) {
                return false;
            }
            value.storeNumber(record, number);
        }
        items.push_back(std::move(record));
    }
    return true;
}

bool SaveSmartFanSettings(IRegistryHives& hives, std::span<hwmon::CFanController* const> shownFans)
{
    CRegistryAccess registry = CurrentUser(hives);
    for (const hwmon::CFanController* fan : shownFans) {
        const std::string key = StoredItemKey(fan->GetItemNo());
        const FanItemRecord& record = fan->GetWorkingRecord();
        for (const auto& value : kSavedValues) {
            const bool written = value.number != nullptr
                                     ? registry.SetDword(key, value.name, value.number(record))
                                     : registry.SetString(key, value.name, record.*value.text);
            if (!written) {
                return false;
            }
        }
        for (const auto& value : kIdentityValues) {
            const bool isText = value.number == nullptr;
            if (ValueExists(registry, key, value.name, isText)) {
                continue;
            }
            const bool written = isText ? registry.SetString(key, value.name, value.text(*fan))
                                        : registry.SetDword(key, value.name, value.number(*fan));
            if (!written) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace zefan
