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

// The identity values in the order they are written. The user's settings
// are the ones the monitor's page changes; the others say which item the
// subkey is.
struct IdentityValue {
    const char* name;
    std::uint32_t (*number)(const StoredIdentity&);  // null: the string below
    void (*storeNumber)(StoredIdentity&, std::int32_t);
    std::string StoredIdentity::*text;
    bool userSetting;
};

constexpr IdentityValue kIdentityValues[] = {
    {"Name", nullptr, nullptr, &StoredIdentity::name, false},
    {"PinName", nullptr, nullptr, &StoredIdentity::pinName, false},
    {"ItemNo", [](const StoredIdentity& i) { return static_cast<std::uint32_t>(i.itemNo); },
     [](StoredIdentity& i, std::int32_t v) { i.itemNo = v; }, nullptr, false},
    {"ItemType", [](const StoredIdentity& i) { return static_cast<std::uint32_t>(i.itemType); },
     [](StoredIdentity& i, std::int32_t v) { i.itemType = v; }, nullptr, false},
    {"Enable", [](const StoredIdentity& i) -> std::uint32_t { return i.enable ? 1 : 0; },
     [](StoredIdentity& i, std::int32_t v) { i.enable = IsTrue(v); }, nullptr, true},
    {"BeepEnable", [](const StoredIdentity& i) -> std::uint32_t { return i.beepEnable ? 1 : 0; },
     [](StoredIdentity& i, std::int32_t v) { i.beepEnable = IsTrue(v); }, nullptr, true},
    {"ShutDownEnable", [](const StoredIdentity& i) -> std::uint32_t { return i.shutDownEnable ? 1 : 0; },
     [](StoredIdentity& i, std::int32_t v) { i.shutDownEnable = IsTrue(v); }, nullptr, true},
    {"HiLimit", [](const StoredIdentity& i) { return ToThousandths(i.hiLimit); },
     [](StoredIdentity& i, std::int32_t v) { i.hiLimit = Thousandths(v); }, nullptr, true},
    {"LoLimit", [](const StoredIdentity& i) { return ToThousandths(i.loLimit); },
     [](StoredIdentity& i, std::int32_t v) { i.loLimit = Thousandths(v); }, nullptr, true},
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
    // The board's limits, not the controller's: the chip's one fan count
    // limit is read into both, and as the monitor's high limit it would put
    // every running fan in warning.
    identity.hiLimit = fan.GetConfiguredItem().hiLimit;
    identity.loLimit = fan.GetConfiguredItem().loLimit;
    return identity;
}

// Writes the identity values that pass; with onlyMissing, only where the
// subkey has none yet.
template <class Pass>
bool WriteIdentityValues(CRegistryAccess& registry, const StoredIdentity& identity, bool onlyMissing, Pass pass)
{
    const std::string key = StoredItemKey(identity.itemNo);
    for (const auto& value : kIdentityValues) {
        const bool isText = value.number == nullptr;
        if (!pass(value) || (onlyMissing && ValueExists(registry, key, value.name, isText))) {
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

bool Every(const IdentityValue&) { return true; }
bool UserSetting(const IdentityValue& value) { return value.userSetting; }

}  // namespace

std::string StoredItemKey(int itemNo)
{
    char key[64];
    std::snprintf(key, sizeof key, "%s\\%d", kStoredItemsKey, itemNo);
    return key;
}

bool AddMissingIdentity(CRegistryAccess& registry, const StoredIdentity& identity)
{
    return WriteIdentityValues(registry, identity, true, Every);
}

bool AddMissingIdentity(IRegistryHives& hives, const StoredIdentity& identity)
{
    CRegistryAccess registry = CurrentUser(hives);
    return AddMissingIdentity(registry, identity);
}

bool ReplaceIdentity(IRegistryHives& hives, const StoredIdentity& identity)
{
    CRegistryAccess registry = CurrentUser(hives);
    return WriteIdentityValues(registry, identity, false, Every);
}

bool SaveMonitorSettings(IRegistryHives& hives, const StoredIdentity& identity)
{
    CRegistryAccess registry = CurrentUser(hives);
    return WriteIdentityValues(registry, identity, false, UserSetting);
}

bool ReadStoredIdentity(IRegistryHives& hives, int itemNo, StoredIdentity& identity)
{
    const CRegistryAccess registry = CurrentUser(hives);
    const std::string key = StoredItemKey(itemNo);
    bool complete = true;
    for (const auto& value : kIdentityValues) {
        if (value.text != nullptr) {
            std::string text;
            if (registry.QueryString(key, value.name, text)) {
                identity.*value.text = std::move(text);
            } else {
                complete = false;
            }
            continue;
        }
        std::int32_t number = 0;
        if (registry.QueryDword(key, value.name, &number)) {
            value.storeNumber(identity, number);
        } else {
            complete = false;
        }
    }
    return complete;
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
