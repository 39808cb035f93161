#include "monplugin/ItemSetup.h"

#include <cmath>
#include <limits>
#include <map>

#include "hwmon/ChipAccessor.h"
#include "hwmon/PortClaim.h"

namespace monitor {

namespace {

constexpr double kNotStored = std::numeric_limits<double>::quiet_NaN();

std::optional<hwmon::SensorRecord> InputOf(const std::string& pin, ItemClass itemClass)
{
    for (const hwmon::SensorRecord& record : hwmon::SensorTable()) {
        if (record.name == pin) {
            if (record.sensorClass != SensorClassOf(itemClass)) {
                return std::nullopt;
            }
            return record;
        }
    }
    return std::nullopt;
}

bool IsChipPin(const std::string& pin)
{
    std::uint8_t code = 0;
    std::uint8_t bank = 0;
    return hwmon::LookUpSensor(pin, code, bank) >= 1;
}

MonitorItem ItemOf(const board::MonitorItemRecord& record)
{
    MonitorItem item;
    item.itemNo = record.itemNo;
    item.itemClass = ClassOfType(record.itemType);
    item.caption = record.name;
    item.pinName = record.pinName;
    item.input = InputOf(record.pinName, item.itemClass);
    item.negative = record.negative;
    item.factor = record.factor;
    item.enable = record.enable;
    item.beepEnable = record.beepEnable;
    item.shutDownEnable = record.shutDownEnable;
    item.hiLimit = record.hiLimit.value_or(0.0);
    item.loLimit = record.loLimit.value_or(0.0);
    if (item.itemClass == ItemClass::Fan) {
        item.hiLimit = record.hiLimit.value_or(kFanCeilingRpm);
        return item;
    }
    // The chip has limits only for its own inputs, and scales a voltage's
    // by the board's factor.
    const bool chipHasLimits = item.input && (item.itemClass != ItemClass::Voltage || item.factor != 0.0);
    item.hiFromChip = chipHasLimits && !record.hiLimit;
    item.loFromChip = chipHasLimits && !record.loLimit;
    return item;
}

// The user's values over the board's, where the subkey is this item's.
StoredState ApplyStored(IRegistryHives& hives, MonitorItem& item)
{
    board::StoredIdentity stored = IdentityOf(item);
    // A limit left to the chip is not the item's yet; only a stored one
    // replaces it.
    if (item.hiFromChip) {
        stored.hiLimit = kNotStored;
    }
    if (item.loFromChip) {
        stored.loLimit = kNotStored;
    }
    const bool complete = board::ReadStoredIdentity(hives, item.itemNo, stored);
    if (stored.itemType != TypeOfClass(item.itemClass) || stored.pinName != item.pinName) {
        return StoredState::OtherItem;
    }
    if (!stored.name.empty()) {
        item.caption = stored.name;
    }
    item.enable = stored.enable;
    item.beepEnable = stored.beepEnable;
    item.shutDownEnable = stored.shutDownEnable;
    if (!std::isnan(stored.hiLimit)) {
        item.hiLimit = stored.hiLimit;
        item.hiFromChip = false;
    }
    if (!std::isnan(stored.loLimit)) {
        item.loLimit = stored.loLimit;
        item.loFromChip = false;
    }
    return complete ? StoredState::Complete : StoredState::Incomplete;
}

int ReadLimitsOf(hwmon::CChipAccessor& chip, const MonitorItem& item, double& high, double& low)
{
    if (item.itemClass == ItemClass::Temperature) {
        return hwmon::ReadTemperatureLimits(chip, item.input->code, item.input->bank, high, low);
    }
    return hwmon::ReadVoltageLimits(chip, item.input->code, item.factor, item.negative, high, low);
}

}  // namespace

board::StoredIdentity IdentityOf(const MonitorItem& item)
{
    board::StoredIdentity identity;
    identity.itemNo = item.itemNo;
    identity.itemType = TypeOfClass(item.itemClass);
    identity.name = item.caption;
    identity.pinName = item.pinName;
    identity.enable = item.enable;
    identity.beepEnable = item.beepEnable;
    identity.shutDownEnable = item.shutDownEnable;
    identity.hiLimit = item.hiLimit;
    identity.loLimit = item.loLimit;
    return identity;
}

std::vector<SetupItem> SetupItemsOf(const std::vector<board::MonitorItemRecord>& records, IRegistryHives& hives)
{
    std::vector<SetupItem> items;
    std::map<std::string, int> itemsOnPin;
    for (const board::MonitorItemRecord& record : records) {
        SetupItem setup{ItemOf(record)};
        MonitorItem& item = setup.item;
        // Skins bind to the pin, the same on every board; a second item on
        // a pin and a pin the chip lacks still need names of their own.
        if (!IsChipPin(item.pinName)) {
            item.documentName = "ITEM" + std::to_string(item.itemNo);
        } else if (itemsOnPin[item.pinName]++ == 0) {
            item.documentName = item.pinName;
        } else {
            item.documentName = item.pinName + "_" + std::to_string(item.itemNo);
        }
        setup.stored = ApplyStored(hives, item);
        items.push_back(std::move(setup));
    }
    return items;
}

bool ReadChipLimits(hwmon::IPortIo& port, std::vector<SetupItem>& items)
{
    bool waiting = false;
    for (const SetupItem& setup : items) {
        waiting = waiting || setup.item.hiFromChip || setup.item.loFromChip;
    }
    if (!waiting) {
        return true;
    }
    const hwmon::CPortClaim claim(port);
    hwmon::CChipAccessor chip(port);
    bool allRead = true;
    for (SetupItem& setup : items) {
        MonitorItem& item = setup.item;
        if (!item.hiFromChip && !item.loFromChip) {
            continue;
        }
        double high = 0.0;
        double low = 0.0;
        if (ReadLimitsOf(chip, item, high, low) < 1) {
            allRead = false;
            continue;
        }
        if (item.hiFromChip) {
            item.hiLimit = high;
        }
        if (item.loFromChip) {
            item.loLimit = low;
        }
        item.hiFromChip = item.loFromChip = false;
    }
    return allRead;
}

void StoreIdentities(IRegistryHives& hives, std::vector<SetupItem>& items)
{
    for (SetupItem& setup : items) {
        if (setup.stored == StoredState::Complete || setup.item.hiFromChip || setup.item.loFromChip) {
            continue;
        }
        const board::StoredIdentity identity = IdentityOf(setup.item);
        const bool stored = setup.stored == StoredState::OtherItem ? board::ReplaceIdentity(hives, identity)
                                                                    : board::AddMissingIdentity(hives, identity);
        if (stored) {
            setup.stored = StoredState::Complete;
        }
    }
}

}  // namespace monitor
