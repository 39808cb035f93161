#include "hwmon/varnio/ThermalModel.h"

#include <algorithm>

namespace hwmon {
namespace {

constexpr std::uint8_t kBankSelect = 0x4E;
constexpr std::uint8_t kReferenceSelector = 0x4A;
constexpr std::uint8_t kChipId = 0x58;
constexpr int kReferenceSource = -1;

// The chip's own view of its cruise outputs (all bank 0).
struct CruiseOutput {
    std::uint8_t duty;
    std::uint8_t modeRegister;
    std::uint8_t modeShift;
    std::uint8_t target;
    std::uint8_t toleranceRegister;
    std::uint8_t toleranceShift;
    std::uint8_t stop;
    std::uint8_t start;
    int source;  // a SimulatedTemperature, or the reference selector
};

constexpr CruiseOutput kCruiseOutputs[] = {
    {0x01, 0x04, 2, 0x05, 0x07, 0, 0x08, 0x0A, kReferenceSource},
    {0x03, 0x04, 4, 0x06, 0x07, 4, 0x09, 0x0B, kCputin},
    {0x11, 0x12, 1, 0x13, 0x14, 0, 0x15, 0x16, kAuxtin},
    {0x61, 0x62, 4, 0x63, 0x62, 0, 0x64, 0x65, kCputin},
};

struct BitSource {
    std::uint8_t reg;
    std::uint8_t bit;
};

// The fan tachometer inputs: count register, the output driving the fan (0 =
// none, it runs at a fixed speed), top speed and divisor bits (2, 1, 0).
struct TachInput {
    int bank;
    std::uint8_t countRegister;
    std::uint8_t dutyRegister;
    int maxRpm;
    BitSource divisor[3];
};

constexpr TachInput kTachInputs[] = {
    {0, 0x28, 0x01, 2000, {{0x5D, 5}, {0x47, 5}, {0x47, 4}}},
    {0, 0x29, 0x03, 3000, {{0x5D, 6}, {0x47, 7}, {0x47, 6}}},
    {0, 0x2A, 0x11, 2200, {{0x5D, 7}, {0x4B, 7}, {0x4B, 6}}},
    {0, 0x3F, 0x61, 3000, {{0x4C, 7}, {0x59, 1}, {0x59, 0}}},
    {5, 0x53, 0x00, 1500, {{0x59, 7}, {0x59, 3}, {0x59, 2}}},
};
constexpr int kMinRpm = 700;
constexpr int kFixedRpm = 1500;

// Per temperature input: equilibrium = base + heat * load - cooling * airflow
// (degrees), approached with a time constant.
struct HeatPath {
    double base;
    double heat;
    double cooling;
    int timeConstantTicks;
};

constexpr HeatPath kHeatPaths[kTemperatureCount] = {
    {28.0, 12.0, 6.0, 600},   // SYSTIN: the case warms slowly
    {30.0, 55.0, 40.0, 150},  // CPUTIN: the processor reacts within seconds
    {29.0, 18.0, 8.0, 400},   // AUXTIN
};
constexpr double kAmbientCelsius = 25.0;
// A failed processor cooler: whatever the fans do, CPUTIN heads for 95 °C,
// fast, so a warning shows within seconds (from 45 °C it passes its 80 °C
// limit after about 4 s); once the cooler works again it cools as usual.
constexpr double kOverheatCelsius = 95.0;
constexpr int kOverheatTimeConstantTicks = 30;

constexpr std::int64_t kTicksPerSecond = 1'000'000'000 / kModelTickNs;

std::uint8_t& Bank0(SimulatedChipState& state, std::uint8_t index) { return state.banks[0][index]; }

int WholeDegrees(std::int64_t microCelsius)
{
    return static_cast<int>(microCelsius >= 0 ? microCelsius / 1'000'000 : -((-microCelsius + 999'999) / 1'000'000));
}

int ReferenceTemperature(const SimulatedChipState& state)
{
    const std::uint8_t value = state.banks[0][kReferenceSelector];
    const int selector = state.banks[0][kChipId] == 0xC1 ? value >> 5 : value >> 6;
    return selector >= kSystin && selector < kTemperatureCount ? selector : kSystin;
}

int ModeOf(std::uint8_t registerValue, const CruiseOutput& output)
{
    return (registerValue >> output.modeShift) & 0x03;
}

double Airflow(const SimulatedChipState& state, int temperature)
{
    const auto& bank = state.banks[0];
    switch (temperature) {
    case kSystin:
        return bank[0x01] / 255.0;
    case kCputin:
        return std::max(bank[0x03], bank[0x61]) / 255.0;
    default:
        return bank[0x11] / 255.0;
    }
}

void StepTemperatures(SimulatedChipState& state, double load)
{
    for (int i = 0; i < kTemperatureCount; ++i) {
        const HeatPath& path = kHeatPaths[i];
        const bool overheating = state.overheat && i == kCputin;
        const double equilibrium =
            overheating ? kOverheatCelsius
                        : std::max(kAmbientCelsius, path.base + path.heat * load - path.cooling * Airflow(state, i));
        const auto target = static_cast<std::int64_t>(equilibrium * 1'000'000);
        const int timeConstant = overheating ? kOverheatTimeConstantTicks : path.timeConstantTicks;
        state.microCelsius[i] += (target - state.microCelsius[i]) / timeConstant;
    }
}

void StepCruise(SimulatedChipState& state)
{
    for (const auto& output : kCruiseOutputs) {
        if (ModeOf(Bank0(state, output.modeRegister), output) != 1) {
            continue;
        }
        const int source = output.source == kReferenceSource ? ReferenceTemperature(state) : output.source;
        const int temperature = WholeDegrees(state.microCelsius[source]);
        const int target = Bank0(state, output.target) & 0x7F;
        const int tolerance = (Bank0(state, output.toleranceRegister) >> output.toleranceShift) & 0x0F;
        const int stop = Bank0(state, output.stop);
        int duty = Bank0(state, output.duty);
        if (temperature > target + tolerance) {
            duty = std::min(255, duty + 1);
        } else if (temperature < target - tolerance) {
            duty = duty - 1;
        }
        Bank0(state, output.duty) = static_cast<std::uint8_t>(std::clamp(duty, stop, 255));
    }
}

int DivisorExponent(const SimulatedChipState& state, const TachInput& input)
{
    int exponent = 0;
    for (int i = 0; i < 3; ++i) {
        exponent |= ((state.banks[0][input.divisor[i].reg] >> input.divisor[i].bit) & 1) << (2 - i);
    }
    return exponent;
}

std::uint8_t TachCount(const SimulatedChipState& state, const TachInput& input)
{
    int rpm = kFixedRpm;
    if (input.dutyRegister != 0) {
        const int duty = state.banks[0][input.dutyRegister];
        rpm = duty == 0 ? 0 : kMinRpm + (input.maxRpm - kMinRpm) * duty / 255;
    }
    if (rpm == 0) {
        return 0xFF;  // a standing fan never completes a count
    }
    const int count = 1350000 / (rpm << DivisorExponent(state, input));
    return static_cast<std::uint8_t>(std::clamp(count, 1, 255));
}

void PublishBankedTemperature(std::array<std::uint8_t, 256>& bank, std::int64_t microCelsius)
{
    const int whole = WholeDegrees(microCelsius);
    const std::int64_t fraction = microCelsius - static_cast<std::int64_t>(whole) * 1'000'000;
    bank[0x50] = static_cast<std::uint8_t>(static_cast<std::int8_t>(whole));
    bank[0x51] = fraction >= 500'000 ? 0x80 : 0x00;
}

}  // namespace

double LoadAt(std::int64_t modelTicks)
{
    const std::int64_t second = (modelTicks / kTicksPerSecond) % 180;
    if (second < 60) {
        return 0.15;
    }
    return second < 120 ? 1.0 : 0.5;
}

void AdvanceThermalModel(SimulatedChipState& state, std::int64_t ticks)
{
    for (std::int64_t i = 0; i < ticks; ++i) {
        StepTemperatures(state, LoadAt(state.modelTicks));
        StepCruise(state);
        ++state.modelTicks;
    }
    PublishReadings(state);
}

void PublishReadings(SimulatedChipState& state)
{
    const std::int64_t systin = state.microCelsius[kSystin];
    Bank0(state, 0x27) = static_cast<std::uint8_t>(static_cast<std::int8_t>(WholeDegrees(systin + 500'000)));
    PublishBankedTemperature(state.banks[1], state.microCelsius[kCputin]);
    PublishBankedTemperature(state.banks[2], state.microCelsius[kAuxtin]);
    for (const auto& input : kTachInputs) {
        state.banks[input.bank][input.countRegister] = TachCount(state, input);
    }
}

void OnBankZeroWrite(SimulatedChipState& state, std::uint8_t index, std::uint8_t newValue)
{
    for (const auto& output : kCruiseOutputs) {
        if (output.modeRegister == index && ModeOf(Bank0(state, index), output) != 1 &&
            ModeOf(newValue, output) == 1) {
            Bank0(state, output.duty) = Bank0(state, output.start);
        }
    }
}

bool IsReadOnlyRegister(int bank, std::uint8_t index)
{
    if (index == kBankSelect + 1) {
        return true;  // vendor id
    }
    switch (bank) {
    case 0:
        return (index >= 0x20 && index <= 0x2A) || index == 0x3F || index == kChipId;
    case 1:
    case 2:
        return index == 0x50 || index == 0x51;
    case 5:
        return index >= 0x50 && index <= 0x53;
    default:
        return false;
    }
}

}  // namespace hwmon
