#include "monplugin/MonitorItem.h"

#include "board/BoardFile.h"

namespace monitor {

namespace {

const char* ClassWord(ItemClass itemClass)
{
    switch (itemClass) {
    case ItemClass::Temperature: return "temperature";
    case ItemClass::Fan: return "fan";
    default: return "voltage";
    }
}

bool InTable(const std::string& pin)
{
    std::uint8_t code = 0;
    std::uint8_t bank = 0;
    return hwmon::LookUpSensor(pin, code, bank) >= 1;
}

}  // namespace

ItemClass ClassOfType(int itemType)
{
    switch (itemType) {
    case hwmon::kItemTypeTemperature: return ItemClass::Temperature;
    case hwmon::kItemTypeFan: return ItemClass::Fan;
    default: return ItemClass::Voltage;
    }
}

int TypeOfClass(ItemClass itemClass)
{
    switch (itemClass) {
    case ItemClass::Temperature: return hwmon::kItemTypeTemperature;
    case ItemClass::Fan: return hwmon::kItemTypeFan;
    default: return hwmon::kItemTypeVoltage;
    }
}

hwmon::SensorClass SensorClassOf(ItemClass itemClass)
{
    switch (itemClass) {
    case ItemClass::Temperature: return hwmon::SensorClass::Temperature;
    case ItemClass::Fan: return hwmon::SensorClass::Fan;
    default: return hwmon::SensorClass::Voltage;
    }
}

std::string ConfigurationProblem(const MonitorItem& item)
{
    if (!item.input) {
        if (item.pinName.empty() || item.pinName == board::kMissingText) {
            return "the board file names no pin for it";
        }
        if (InTable(item.pinName)) {
            return "pin " + item.pinName + " is not a " + ClassWord(item.itemClass) + " input of the chip";
        }
        return "pin " + item.pinName + " is not an input of the chip";
    }
    // Scaling divides by it.
    if (item.itemClass == ItemClass::Voltage && item.factor == 0.0) {
        return "its Factor is 0";
    }
    if (item.hiFromChip || item.loFromChip) {
        return "its limits cannot be read from the chip";
    }
    if (item.loLimit > item.hiLimit) {
        return "its low limit is above its high limit";
    }
    return {};
}

bool HasBeepBit(const MonitorItem& item)
{
    return item.input && hwmon::BeepBitOf(item.input->code, item.input->bank).has_value();
}

}  // namespace monitor
