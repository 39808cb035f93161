#include "hwmon/ReferenceTemperature.h"

#include <cstdint>

#include "hwmon/ChipAccessor.h"
#include "hwmon/ChipResult.h"
#include "hwmon/PortClaim.h"

namespace hwmon {
namespace {

constexpr std::uint8_t kSelectorRegister = 0x4A;

struct SelectorField {
    int chipId;
    int shift;
};

constexpr SelectorField kFields[] = {
    {kChipIdEhf, 6},  // bits 7-6
    {kChipIdDhg, 5},  // bits 7-5
};

const SelectorField* FieldFor(std::uint8_t chipId)
{
    for (const auto& field : kFields) {
        if (field.chipId == chipId) {
            return &field;
        }
    }
    return nullptr;
}

int ReadSelectorAndId(CChipAccessor& chip, std::uint8_t& value, std::uint8_t& id)
{
    int result = chip.SelectBank(0);
    if (result < 1 || (result = chip.ReadRegister(kSelectorRegister, value)) < 1) {
        return result;
    }
    return chip.ReadChipId(id);
}

}  // namespace

int ReadReferenceTemperatureSelector(IPortIo& port, int& selector)
{
    CPortClaim claim(port);
    CChipAccessor chip(port);
    std::uint8_t value = 0;
    std::uint8_t id = 0;
    const int result = ReadSelectorAndId(chip, value, id);
    if (result < 1) {
        return result;
    }
    const SelectorField* field = FieldFor(id);
    if (field == nullptr) {
        return kNotApplicable;
    }
    selector = value >> field->shift;
    return result;
}

bool WriteReferenceTemperatureSelector(IPortIo& port, int selector)
{
    CPortClaim claim(port);
    CChipAccessor chip(port);
    std::uint8_t value = 0;
    std::uint8_t id = 0;
    if (ReadSelectorAndId(chip, value, id) < 1) {
        return false;
    }
    // An unknown chip would only get its own value back, which is no success;
    // a selector wider than the field would spill into the neighbouring bits.
    const SelectorField* field = FieldFor(id);
    if (field == nullptr || selector < 0 || selector > (0xFF >> field->shift)) {
        return false;
    }
    const std::uint8_t keep = static_cast<std::uint8_t>((1u << field->shift) - 1);
    const auto updated = static_cast<std::uint8_t>((selector << field->shift) | (value & keep));
    return chip.SelectBank(0) >= 1 && chip.WriteRegister(kSelectorRegister, updated) >= 1;
}

}  // namespace hwmon
