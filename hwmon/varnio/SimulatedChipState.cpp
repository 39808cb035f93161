#include "hwmon/varnio/SimulatedChipState.h"

#include <cinttypes>
#include <cstdio>
#include <sstream>

#include "hwmon/varnio/ThermalModel.h"

namespace hwmon {
namespace {

struct RegisterValue {
    std::uint8_t bank;
    std::uint8_t index;
    std::uint8_t value;
};

// A board as its firmware leaves it: every fan at full output under manual
// control, divisor 8 on every fan, limits around the nominal voltages.
constexpr RegisterValue kPowerOn[] = {
    // Fan outputs: duty, modes, targets, tolerances, stop and start values.
    {0, 0x01, 0xFF}, {0, 0x03, 0xFF}, {0, 0x11, 0xFF}, {0, 0x61, 0xFF},
    {0, 0x04, 0x00}, {0, 0x12, 0x00}, {0, 0x62, 0x02},
    {0, 0x05, 45}, {0, 0x06, 55}, {0, 0x13, 50}, {0, 0x63, 55},
    {0, 0x07, 0x22}, {0, 0x14, 0x02},
    {0, 0x08, 0x40}, {0, 0x09, 0x40}, {0, 0x15, 0x40}, {0, 0x64, 0x40},
    {0, 0x0A, 0x80}, {0, 0x0B, 0x80}, {0, 0x16, 0x80}, {0, 0x65, 0x80},
    // Voltage inputs (8 mV steps) and their high/low limits.
    {0, 0x20, 0xA2}, {0, 0x21, 0xC4}, {0, 0x22, 0xCE}, {0, 0x23, 0xCD},
    {0, 0x24, 0xBC}, {0, 0x25, 0x91}, {0, 0x26, 0x70},
    {0, 0x2B, 0xB2}, {0, 0x2C, 0x92}, {0, 0x2D, 0xD8}, {0, 0x2E, 0xB0},
    {0, 0x2F, 0xE2}, {0, 0x30, 0xBA}, {0, 0x31, 0xE1}, {0, 0x32, 0xB9},
    {0, 0x33, 0xCF}, {0, 0x34, 0xA9}, {0, 0x35, 0xA0}, {0, 0x36, 0x82},
    {0, 0x37, 0x7B}, {0, 0x38, 0x65},
    // SYSTIN limit and hysteresis, fan count limits.
    {0, 0x39, 75}, {0, 0x3A, 70},
    {0, 0x3B, 0xC8}, {0, 0x3C, 0xC8}, {0, 0x3D, 0xC8}, {0, 0x3E, 0xC8},
    // Fan divisor bits (exponent 3 everywhere), reference selector, beeps.
    {0, 0x47, 0xF5}, {0, 0x4B, 0xC4}, {0, 0x4C, 0x18}, {0, 0x59, 0x0F}, {0, 0x5D, 0x05},
    {0, 0x4A, 0x01}, {0, 0x56, 0xFF}, {0, 0x57, 0x2F},
    // CPUTIN and AUXTIN: hysteresis 75.0, limit 80.0.
    {1, 0x53, 75}, {1, 0x54, 0x00}, {1, 0x55, 80}, {1, 0x56, 0x00},
    {2, 0x53, 75}, {2, 0x54, 0x00}, {2, 0x55, 80}, {2, 0x56, 0x00},
    {4, 0x53, 0x0B},
    // Standby, battery and VIN4 with their limits; AUXFANIN1's count limit.
    {5, 0x50, 0xCE}, {5, 0x51, 0xC8}, {5, 0x52, 0x80},
    {5, 0x54, 0xE2}, {5, 0x55, 0xBA}, {5, 0x56, 0xDC}, {5, 0x57, 0xB4},
    {5, 0x58, 0x8D}, {5, 0x59, 0x73}, {5, 0x5C, 0xC8},
};

constexpr const char* kMagic = "VARNIO-SIM 1";

bool ReadLine(std::istringstream& in, std::string& line)
{
    return static_cast<bool>(std::getline(in, line));
}

bool ParseHexBank(const std::string& hex, std::array<std::uint8_t, 256>& bank)
{
    if (hex.size() != 512) {
        return false;
    }
    for (std::size_t i = 0; i < 256; ++i) {
        unsigned value = 0;
        for (int k = 0; k < 2; ++k) {
            const char c = hex[2 * i + k];
            unsigned digit = 0;
            if (c >= '0' && c <= '9') {
                digit = c - '0';
            } else if (c >= 'A' && c <= 'F') {
                digit = c - 'A' + 10;
            } else {
                return false;
            }
            value = value * 16 + digit;
        }
        bank[i] = static_cast<std::uint8_t>(value);
    }
    return true;
}

}  // namespace

SimulatedChipState PowerOnState(std::uint8_t chipId)
{
    SimulatedChipState state;
    for (const auto& entry : kPowerOn) {
        state.banks[entry.bank][entry.index] = entry.value;
    }
    state.banks[0][0x58] = chipId;
    state.bankSelect = 0x80;
    state.microCelsius = {30'000'000, 36'000'000, 32'000'000};
    PublishReadings(state);
    return state;
}

std::string EncodeState(const SimulatedChipState& state)
{
    std::string text = kMagic;
    char line[128];
    std::snprintf(line, sizeof line, "\nclock_ns %" PRId64 "\nticks %" PRId64 "\nselect %u\nindex %u\n",
                  state.clockNs, state.modelTicks, unsigned{state.bankSelect}, unsigned{state.index});
    text += line;
    std::snprintf(line, sizeof line, "temperatures %" PRId64 " %" PRId64 " %" PRId64 "\n",
                  state.microCelsius[0], state.microCelsius[1], state.microCelsius[2]);
    text += line;
    static const char kDigits[] = "0123456789ABCDEF";
    for (int bank = 0; bank < kSimulatedBanks; ++bank) {
        text += "bank" + std::to_string(bank) + ' ';
        for (std::uint8_t value : state.banks[bank]) {
            text += kDigits[value >> 4];
            text += kDigits[value & 0x0F];
        }
        text += '\n';
    }
    // Written only while on, so a state file without it stays readable to
    // programs that predate the knob.
    if (state.overheat) {
        text += "overheat 1\n";
    }
    text += "end\n";
    return text;
}

bool DecodeState(std::string_view text, SimulatedChipState& state)
{
    std::istringstream in{std::string(text)};
    std::string line;
    SimulatedChipState decoded;
    if (!ReadLine(in, line) || line != kMagic) {
        return false;
    }
    unsigned select = 0;
    unsigned index = 0;
    int used = 0;
    if (!ReadLine(in, line) || std::sscanf(line.c_str(), "clock_ns %" SCNd64 "%n", &decoded.clockNs, &used) != 1 ||
        used != static_cast<int>(line.size()) ||
        !ReadLine(in, line) || std::sscanf(line.c_str(), "ticks %" SCNd64 "%n", &decoded.modelTicks, &used) != 1 ||
        used != static_cast<int>(line.size()) || decoded.modelTicks < 0 ||
        !ReadLine(in, line) || std::sscanf(line.c_str(), "select %u%n", &select, &used) != 1 ||
        used != static_cast<int>(line.size()) || select > 0xFF ||
        !ReadLine(in, line) || std::sscanf(line.c_str(), "index %u%n", &index, &used) != 1 ||
        used != static_cast<int>(line.size()) || index > 0xFF ||
        !ReadLine(in, line) ||
        std::sscanf(line.c_str(), "temperatures %" SCNd64 " %" SCNd64 " %" SCNd64 "%n", &decoded.microCelsius[0],
                    &decoded.microCelsius[1], &decoded.microCelsius[2], &used) != 3 ||
        used != static_cast<int>(line.size())) {
        return false;
    }
    decoded.bankSelect = static_cast<std::uint8_t>(select);
    decoded.index = static_cast<std::uint8_t>(index);
    for (int bank = 0; bank < kSimulatedBanks; ++bank) {
        const std::string prefix = "bank" + std::to_string(bank) + ' ';
        if (!ReadLine(in, line) || line.compare(0, prefix.size(), prefix) != 0 ||
            !ParseHexBank(line.substr(prefix.size()), decoded.banks[bank])) {
            return false;
        }
    }
    if (!ReadLine(in, line)) {
        return false;
    }
    if (line == "overheat 1") {
        decoded.overheat = true;
        if (!ReadLine(in, line)) {
            return false;
        }
    }
    if (line != "end" || ReadLine(in, line)) {
        return false;
    }
    state = decoded;
    return true;
}

}  // namespace hwmon
