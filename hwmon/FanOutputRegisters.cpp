#include "hwmon/FanOutputRegisters.h"

#include <array>

#include "hwmon/ChipResult.h"

namespace hwmon {
namespace {

// Fan 4 keeps its own tolerance in the low nibble of 0x62, beside its mode
// (bits 5-4) and output mode (bit 6); sharing fan 2's nibble of 0x07 would let
// one fan's tolerance overwrite the other's.
constexpr std::array<FanOutputLayout, 4> kOutputs = {{
    //code  name         duty  modeR sh  omR  omB en  tgt   tolR  tsh stop  start
    {0x28, "SYSFANIN", 0x01, 0x04, 2, 0x04, 0, 5, 0x05, 0x07, 0, 0x08, 0x0A},
    {0x29, "CPUFANIN0", 0x03, 0x04, 4, 0x04, 1, 4, 0x06, 0x07, 4, 0x09, 0x0B},
    {0x2A, "AUXFANIN0", 0x11, 0x12, 1, 0x12, 0, 3, 0x13, 0x14, 0, 0x15, 0x16},
    {0x3F, "CPUFANIN1", 0x61, 0x62, 4, 0x62, 6, 6, 0x63, 0x62, 0, 0x64, 0x65},
}};

constexpr std::uint8_t Bit(int n) { return static_cast<std::uint8_t>(1u << n); }

// Resolves the output, checks the value range, selects bank 0; returns the
// first result below 1, or 1 with layout set.
int Prepare(CChipAccessor& chip, int code, bool valueInRange, const FanOutputLayout*& layout)
{
    const int found = FindFanOutput(code, layout);
    if (found < 1) {
        return found;
    }
    if (!valueInRange) {
        return kNotApplicable;
    }
    return chip.SelectBank(0);
}

int WriteByteField(CChipAccessor& chip, int code, int value, int max,
                   std::uint8_t FanOutputLayout::*reg)
{
    const FanOutputLayout* layout = nullptr;
    const int ready = Prepare(chip, code, value >= 0 && value <= max, layout);
    if (ready < 1) {
        return ready;
    }
    return chip.WriteRegister(layout->*reg, static_cast<std::uint8_t>(value));
}

}  // namespace

std::span<const FanOutputLayout> FanOutputs() { return kOutputs; }

int FindFanOutput(int code, const FanOutputLayout*& layout)
{
    for (const auto& output : kOutputs) {
        if (output.code == code) {
            layout = &output;
            return 1;
        }
    }
    return code == kUncontrolledFanCode ? kNotApplicable : kNotFanInput;
}

int WriteFanMode(CChipAccessor& chip, int code, int mode)
{
    const FanOutputLayout* layout = nullptr;
    const int ready = Prepare(chip, code, mode >= 0 && mode <= 3, layout);
    if (ready < 1) {
        return ready;
    }
    return chip.UpdateRegister(layout->modeRegister, static_cast<std::uint8_t>(0x03 << layout->modeShift),
                               static_cast<std::uint8_t>(mode << layout->modeShift));
}

int WriteFanOutputMode(CChipAccessor& chip, int code, int outputMode)
{
    const FanOutputLayout* layout = nullptr;
    const int ready = Prepare(chip, code, outputMode >= 0 && outputMode <= 2, layout);
    if (ready < 1) {
        return ready;
    }
    // "Keep" still rewrites the register with its own bit unchanged.
    const std::uint8_t mask = outputMode == 2 ? 0 : Bit(layout->outputModeBit);
    const std::uint8_t bits = outputMode == 1 ? Bit(layout->outputModeBit) : 0;
    return chip.UpdateRegister(layout->outputModeRegister, mask, bits);
}

int WriteFanEnableBit(CChipAccessor& chip, int code)
{
    const FanOutputLayout* layout = nullptr;
    const int ready = Prepare(chip, code, true, layout);
    if (ready < 1) {
        return ready;
    }
    return chip.UpdateRegister(kEnableRegister, Bit(layout->enableBit), Bit(layout->enableBit));
}

int WriteFanDuty(CChipAccessor& chip, int code, int value)
{
    return WriteByteField(chip, code, value, 255, &FanOutputLayout::dutyRegister);
}

int WriteFanTargetTemperature(CChipAccessor& chip, int code, int celsius)
{
    return WriteByteField(chip, code, celsius, 127, &FanOutputLayout::targetRegister);
}

int WriteFanTolerance(CChipAccessor& chip, int code, int celsius)
{
    const FanOutputLayout* layout = nullptr;
    const int ready = Prepare(chip, code, celsius >= 0 && celsius <= 15, layout);
    if (ready < 1) {
        return ready;
    }
    return chip.UpdateRegister(layout->toleranceRegister, static_cast<std::uint8_t>(0x0F << layout->toleranceShift),
                               static_cast<std::uint8_t>(celsius << layout->toleranceShift));
}

int WriteFanStartValue(CChipAccessor& chip, int code, int value)
{
    return WriteByteField(chip, code, value, 255, &FanOutputLayout::startRegister);
}

int WriteFanStopValue(CChipAccessor& chip, int code, int value)
{
    return WriteByteField(chip, code, value, 255, &FanOutputLayout::stopRegister);
}

int ReadFanDuty(CChipAccessor& chip, int code, std::uint8_t& value)
{
    const FanOutputLayout* layout = nullptr;
    const int ready = Prepare(chip, code, true, layout);
    if (ready < 1) {
        return ready;
    }
    return chip.ReadRegister(layout->dutyRegister, value);
}

int ReadFanOutputSettings(CChipAccessor& chip, int code, FanOutputSettings& settings)
{
    const FanOutputLayout* layout = nullptr;
    int result = Prepare(chip, code, true, layout);
    if (result < 1) {
        return result;
    }
    std::uint8_t mode = 0, outputMode = 0, enable = 0, duty = 0, target = 0, tolerance = 0,
                 start = 0, stop = 0;
    const struct {
        std::uint8_t reg;
        std::uint8_t* out;
    } reads[] = {
        {layout->modeRegister, &mode},        {layout->outputModeRegister, &outputMode},
        {kEnableRegister, &enable},           {layout->dutyRegister, &duty},
        {layout->targetRegister, &target},    {layout->toleranceRegister, &tolerance},
        {layout->startRegister, &start},      {layout->stopRegister, &stop},
    };
    for (const auto& read : reads) {
        if ((result = chip.ReadRegister(read.reg, *read.out)) < 1) {
            return result;
        }
    }
    settings.mode = (mode >> layout->modeShift) & 0x03;
    settings.outputModeBit = (outputMode & Bit(layout->outputModeBit)) != 0;
    settings.enableBit = (enable & Bit(layout->enableBit)) != 0;
    settings.duty = duty;
    settings.targetCelsius = target & 0x7F;
    settings.toleranceCelsius = (tolerance >> layout->toleranceShift) & 0x0F;
    settings.startValue = start;
    settings.stopValue = stop;
    return result;
}

}  // namespace hwmon
