#include "board/StoredItems.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "RegistryAccess.h"
#include "RegistryHives.h"
#include "board/BoardFile.h"
#include "hwmon/SensorTable.h"

namespace board {

namespace {

using hwmon::FanItemRecord;

bool IsTrue(int value) { return value != 0; }
double Thousandths(int value) { return value * 0.001; }

std::uint32_t ToThousandths(double value)
{
    return static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(value * 1000.0)));
}

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

// What the fan plug-in owns in a stored item: written on every save.
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

// The identity values in the order they are written.
struct IdentityValue {
    const char* name;
    std::uint32_t (*number)(const StoredIdentity&);  // null: the string below
    std::string StoredIdentity::*text;
};

constexpr IdentityValue kIdentityValues[] = {
    {"Name", nullptr, &StoredIdentity::name},
    {"PinName", nullptr, &StoredIdentity::pinName},
    {"ItemNo", [](const StoredIdentity& i) { return static_cast<std::uint32_t>(i.itemNo); }, nullptr},
    {"ItemType", [](const StoredIdentity& i) { return static_cast<std::uint32_t>(i.itemType); }, nullptr},
    {"Enable", [](const StoredIdentity& i) -> std::uint32_t { return i.enable ? 1 : 0; }, nullptr},
    {"BeepEnable", [](const StoredIdentity& i) -> std::uint32_t { return i.beepEnable ? 1 : 0; }, nullptr},
    {"ShutDownEnable", [](const StoredIdentity& i) -> std::uint32_t { return i.shutDownEnable ? 1 : 0; }, nullptr},
    {"HiLimit", [](const StoredIdentity& i) { return ToThousandths(i.hiLimit); }, nullptr},
    {"LoLimit", [](const StoredIdentity& i) { return ToThousandths(i.loLimit); }, nullptr},
};

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

// A fan's identity as its board item gives it.
StoredIdentity IdentityOf(const hwmon::CFanController& fan)
{
    StoredIdentity identity;
    identity.itemNo = fan.GetItemNo();
    identity.itemType = fan.GetItemType();
    identity.name = fan.GetName();
    identity.pinName = fan.GetPinName();
    identity.enable = fan.GetItemEnable();
    identity.beepEnable = fan.GetBeepEnable();
    identity.shutDownEnable = fan.GetShutDownEnable();
    identity.hiLimit = fan.GetHighLimit();
    identity.loLimit = fan.GetLowLimit();
    return identity;
}

}  // namespace

std::string StoredItemKey(int itemNo)
{
    char key[64];
    std::snprintf(key, sizeof key, "%s\\%d", kStoredItemsKey, itemNo);
    return key;
}

bool AddMissingIdentity(CRegistryAccess& registry, const StoredIdentity& identity)
{
    const std::string key = StoredItemKey(identity.itemNo);
    for (const auto& value : kIdentityValues) {
        const bool isText = value.number == nullptr;
        if (ValueExists(registry, key, value.name, isText)) {
            continue;
        }
        const bool written = isText ? registry.SetString(key, value.name, identity.*value.text)
                                    : registry.SetDword(key, value.name, value.number(identity));
        if (!written) {
            return false;
        }
    }
    return true;
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
        // Where the hardware monitor has not run, nobody else writes these,
        // and without them the user's saved settings would never be read
        // back: every start would program the board's defaults over them.
        if (!AddMissingIdentity(registry, IdentityOf(*fan))) {
            return false;
        }
    }
    return true;
}

}  // namespace board
