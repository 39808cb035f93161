#include "hwmon/FanController.h"

#include "hwmon/ChipResult.h"
#include "hwmon/DutyPercent.h"
#include "hwmon/FanOutputRegisters.h"
#include "hwmon/PortClaim.h"
#include "hwmon/SensorTable.h"

namespace hwmon {

CFanController::CFanController(const FanItemRecord& item, IPortIo& port,
                               const IProcessorCount& processors)
    : configured_(item),
      working_(item),
      itemNo_(item.itemNo),
      itemType_(item.itemType),
      name_(item.name),
      pinName_(item.pinName),
      fanCtrlPin_(item.fanCtrlPin),
      cpuNo_(item.cpuNo),
      enable_(item.enable),
      beepEnable_(item.beepEnable),
      shutDownEnable_(item.shutDownEnable),
      factor_(item.factor),
      negative_(item.negative),
      smartFanSupport_(item.smartFanSupport),
      smartFanEnable_(item.smartFanEnable),
      targetTemp_(item.targetTemp),
      toleranceTemp_(item.toleranceTemp),
      startCtrl_(item.startCtrl),
      stopCtrl_(item.stopCtrl),
      fanOutputMode_(item.fanOutputMode),
      chip_(port)
{
    // An unknown pin leaves both codes 0, so every later chip operation of
    // this controller fails with -101.
    std::uint8_t code = 0;
    std::uint8_t bank = 0;
    if (LookUpSensor(pinName_, code, bank) < 1) {
        return;
    }
    inputCode_ = code;
    inputBank_ = bank;
    if (LookUpSensor(fanCtrlPin_, code, bank) < 1) {
        return;
    }
    outputCode_ = code;
    outputBank_ = bank;

    if (cpuNo_ == 2) {
        if (processors.ProcessorCount() >= 2) {
            multiProcessor_ = true;
        } else {
            // The second processor's sensors read nothing; silence their alarm.
            multiProcessor_ = false;
            CPortClaim claim(chip_.Port());
            lastResult_ = ClearBeepEnable(chip_, inputCode_, inputBank_);
            enable_ = beepEnable_ = false;
            working_.enable = working_.beepEnable = false;
        }
    }
}

bool CFanController::Record(int result)
{
    lastResult_ = result;
    return result >= 1;
}

bool CFanController::SetEnable(bool on)
{
    CPortClaim claim(chip_.Port());
    if (on) {
        if (!Record(WriteFanMode(chip_, outputCode_, 1)) ||
            !Record(WriteFanOutputMode(chip_, outputCode_, fanOutputMode_)) ||
            !Record(WriteFanEnableBit(chip_, outputCode_))) {
            return false;
        }
    } else {
        if (!Record(WriteFanMode(chip_, outputCode_, 0)) ||
            !Record(WriteFanOutputMode(chip_, outputCode_, fanOutputMode_)) ||
            !Record(WriteFanDuty(chip_, outputCode_, 255))) {
            return false;
        }
    }
    smartFanEnable_ = working_.smartFanEnable = on;
    return true;
}

bool CFanController::SetTargetTemp(int celsius)
{
    CPortClaim claim(chip_.Port());
    if (!Record(WriteFanTargetTemperature(chip_, outputCode_, celsius))) {
        return false;
    }
    targetTemp_ = working_.targetTemp = celsius;
    return true;
}

bool CFanController::SetTolerance(int celsius)
{
    CPortClaim claim(chip_.Port());
    if (!Record(WriteFanTolerance(chip_, outputCode_, celsius))) {
        return false;
    }
    toleranceTemp_ = working_.toleranceTemp = celsius;
    return true;
}

bool CFanController::SetStartCtrl(int percent)
{
    CPortClaim claim(chip_.Port());
    if (!Record(WriteFanStartValue(chip_, outputCode_, PercentToDutyValue(percent)))) {
        return false;
    }
    startCtrl_ = working_.startCtrl = percent;
    return true;
}

bool CFanController::SetStopCtrl(int percent)
{
    CPortClaim claim(chip_.Port());
    if (!Record(WriteFanStopValue(chip_, outputCode_, PercentToDutyValue(percent)))) {
        return false;
    }
    stopCtrl_ = working_.stopCtrl = percent;
    return true;
}

int CFanController::GetCurrentDuty()
{
    CPortClaim claim(chip_.Port());
    std::uint8_t value = 0;
    if (!Record(ReadFanDuty(chip_, outputCode_, value))) {
        return -1;
    }
    return DutyValueToPercent(value);
}

bool CFanController::ProgramSequence(bool enable, int target, int tolerance, int start, int stop)
{
    CPortClaim claim(chip_.Port());
    return SetEnable(enable) && SetTargetTemp(target) && SetTolerance(tolerance) &&
           SetStartCtrl(start) && SetStopCtrl(stop);
}

bool CFanController::ProgramSettings(const FanItemRecord& record)
{
    if (cpuNo_ != 2 || multiProcessor_) {
        return ProgramSequence(record.smartFanEnable, record.targetTemp, record.toleranceTemp,
                               record.startCtrl, record.stopCtrl);
    }
    // A second processor's fan on a single-processor machine runs at full
    // output under manual control.
    smartFanSupport_ = working_.smartFanSupport = false;
    return SetEnable(false);
}

bool CFanController::ProgramWorkingRecord()
{
    // Copy first: each step updates the working record it reads from.
    const FanItemRecord record = working_;
    return ProgramSequence(record.smartFanEnable, record.targetTemp, record.toleranceTemp,
                           record.startCtrl, record.stopCtrl);
}

int CFanController::ReadLimits()
{
    CPortClaim claim(chip_.Port());
    double high = 0.0;
    double low = 0.0;
    int result = kNotApplicable;
    switch (itemType_) {
    case kItemTypeVoltage:
        result = ReadVoltageLimits(chip_, inputCode_, factor_, negative_, high, low);
        break;
    case kItemTypeTemperature:
        result = ReadTemperatureLimits(chip_, inputCode_, inputBank_, high, low);
        break;
    case kItemTypeFan: {
        int rpm = 0;
        result = ReadFanLimit(chip_, inputCode_, rpm);
        high = low = rpm;
        break;
    }
    default:
        break;
    }
    lastResult_ = result;
    if (result >= 1) {
        highLimit_ = high;
        lowLimit_ = low;
    }
    return result;
}

}  // namespace hwmon
