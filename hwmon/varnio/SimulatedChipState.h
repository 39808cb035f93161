// Everything a simulated W83627EHF remembers: its six banks of registers, the
// shared bank-select register, the last index written, and the thermal
// model's state. Kept in a state file between processes, as a real chip keeps
// its registers while the machine runs.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace hwmon {

inline constexpr int kSimulatedBanks = 6;
// The model advances in whole ticks, so splitting the same span of time over
// several accesses (or processes) gives exactly the same chip.
inline constexpr std::int64_t kModelTickNs = 100'000'000;

enum SimulatedTemperature { kSystin = 0, kCputin = 1, kAuxtin = 2, kTemperatureCount = 3 };

struct SimulatedChipState {
    std::array<std::array<std::uint8_t, 256>, kSimulatedBanks> banks{};
    std::uint8_t bankSelect = 0x80;  // register 0x4E, the same in every bank
    std::uint8_t index = 0;          // last value written to the index port
    std::int64_t clockNs = 0;        // clock reading the model was last advanced to
    std::int64_t modelTicks = 0;     // model time since power-on
    std::array<std::int64_t, kTemperatureCount> microCelsius{};
    // The processor's cooler has failed: CPUTIN heads well past its limit
    // within seconds, until it is switched off again.
    bool overheat = false;

    bool operator==(const SimulatedChipState&) const = default;
};

// The values a plausible board shows right after power-on, readings included.
SimulatedChipState PowerOnState(std::uint8_t chipId);

std::string EncodeState(const SimulatedChipState& state);
// Strict: anything not exactly as EncodeState writes it fails, and the caller
// powers the chip on instead. A file of a version without the overheat line
// reads with the cooler working.
bool DecodeState(std::string_view text, SimulatedChipState& state);

}  // namespace hwmon
