#include "hwmon/varnio/SimulatedChip.h"

#include "hwmon/varnio/ThermalModel.h"

namespace hwmon {
namespace {

constexpr std::uint8_t kBankSelect = 0x4E;
constexpr std::uint8_t kVendorId = 0x4F;
constexpr int kUnmappedRead = 0xFF;  // banks 6 and 7 do not exist

}  // namespace

CSimulatedChip::CSimulatedChip(std::uint8_t chipId) : state_(PowerOnState(chipId)) {}

CSimulatedChip::CSimulatedChip(const SimulatedChipState& state) : state_(state) {}

int CSimulatedChip::OutPortB(int port, int value)
{
    if (port == kIndexPort) {
        if (TakeFault(Fault::IndexWrite)) {
            return 0;
        }
        state_.index = static_cast<std::uint8_t>(value);
        return 1;
    }
    if (port == kDataPort) {
        if (TakeFault(Fault::DataWrite)) {
            return 0;
        }
        WriteData(static_cast<std::uint8_t>(value));
        return 1;
    }
    return 0;
}

int CSimulatedChip::InPortB(int port, std::uint8_t* value)
{
    if (value == nullptr) {
        return 0;
    }
    if (port == kIndexPort) {
        *value = state_.index;
        return 1;
    }
    if (port == kDataPort) {
        if (TakeFault(Fault::DataRead)) {
            return 0;
        }
        *value = ReadData();
        return 1;
    }
    return 0;
}

void CSimulatedChip::Advance(std::int64_t ticks) { AdvanceThermalModel(state_, ticks); }

std::uint8_t CSimulatedChip::Register(int bank, std::uint8_t index) const
{
    if (index == kBankSelect) {
        return state_.bankSelect;
    }
    return state_.banks[bank][index];
}

void CSimulatedChip::SetRegister(int bank, std::uint8_t index, std::uint8_t value)
{
    if (index == kBankSelect) {
        state_.bankSelect = value;
    } else {
        state_.banks[bank][index] = value;
    }
}

void CSimulatedChip::FailNth(Fault kind, int n) { countdown_[static_cast<int>(kind)] = n; }

bool CSimulatedChip::TakeFault(Fault kind)
{
    int& countdown = countdown_[static_cast<int>(kind)];
    if (countdown <= 0) {
        return false;
    }
    return --countdown == 0;
}

std::uint8_t CSimulatedChip::ReadData() const
{
    const std::uint8_t index = state_.index;
    if (index == kBankSelect) {
        return state_.bankSelect;
    }
    if (index == kVendorId) {
        return (state_.bankSelect & 0x80) != 0 ? 0x5C : 0xA3;
    }
    const int bank = state_.bankSelect & 0x07;
    if (bank >= kSimulatedBanks) {
        return kUnmappedRead;
    }
    return state_.banks[bank][index];
}

void CSimulatedChip::WriteData(std::uint8_t value)
{
    const std::uint8_t index = state_.index;
    if (index == kBankSelect) {
        state_.bankSelect = value;
        return;
    }
    const int bank = state_.bankSelect & 0x07;
    if (bank >= kSimulatedBanks || IsReadOnlyRegister(bank, index)) {
        return;
    }
    if (bank == 0) {
        OnBankZeroWrite(state_, index, value);
    }
    state_.banks[bank][index] = value;
}

}  // namespace hwmon
