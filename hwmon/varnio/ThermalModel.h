// What makes the simulated chip behave like one on a running board: a load
// profile heats the three temperature inputs, fan duty cools them, fan counts
// follow duty, and outputs in thermal cruise step their duty toward holding
// their source temperature inside target +/- tolerance.
#pragma once

#include <cstdint>

#include "hwmon/varnio/SimulatedChipState.h"

namespace hwmon {

// Processor load (0-1) at a model time: light, heavy and medium minutes in turn.
double LoadAt(std::int64_t modelTicks);

void AdvanceThermalModel(SimulatedChipState& state, std::int64_t ticks);

// Writes the model's temperatures and fan counts into the value registers.
void PublishReadings(SimulatedChipState& state);

// Called before a write to a bank-0 register lands: an output whose mode field
// becomes thermal cruise starts from its start value.
void OnBankZeroWrite(SimulatedChipState& state, std::uint8_t index, std::uint8_t newValue);

// Value and identification registers the chip drives itself.
bool IsReadOnlyRegister(int bank, std::uint8_t index);

}  // namespace hwmon
