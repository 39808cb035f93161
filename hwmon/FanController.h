// One configured fan item translated into the chip's per-output smart-fan
// registers: enable, target, tolerance, start and stop, and the duty read-back.
// Remembered values change only after the chip accepted the write.
#pragma once

#include <cstdint>
#include <string>

#include "hwmon/ChipAccessor.h"
#include "hwmon/FanItemRecord.h"
#include "hwmon/ProcessorCount.h"

namespace hwmon {

class CFanController {
public:
    // Copies the item, resolves its pins in the sensor table and applies the
    // second-processor rule (which may clear the input's beep enable).
    CFanController(const FanItemRecord& item, IPortIo& port, const IProcessorCount& processors);

    bool SetEnable(bool on);
    bool SetTargetTemp(int celsius);
    bool SetTolerance(int celsius);
    bool SetStartCtrl(int percent);
    bool SetStopCtrl(int percent);

    // Percent of full output, or -1 when the duty cannot be read (the
    // uncontrolled fan, a port error); LastResult() tells which.
    int GetCurrentDuty();

    // Start-up and "Default": honours the second-processor rule.
    bool ProgramSettings(const FanItemRecord& record);
    // After the page's commit: enable, target, tolerance, start, stop.
    bool ProgramWorkingRecord();

    // Limits of the measured input by item type, kept as high and low limit.
    int ReadLimits();

    int GetItemNo() const { return itemNo_; }
    int GetItemType() const { return itemType_; }
    const std::string& GetName() const { return name_; }
    const std::string& GetPinName() const { return pinName_; }
    const std::string& GetFanCtrlPin() const { return fanCtrlPin_; }
    bool GetSmartFanSupport() const { return smartFanSupport_; }
    bool GetSmartFanEnable() const { return smartFanEnable_; }
    int GetTargetTemp() const { return targetTemp_; }
    int GetToleranceTemp() const { return toleranceTemp_; }
    int GetStartCtrl() const { return startCtrl_; }
    int GetStopCtrl() const { return stopCtrl_; }
    bool IsMultiProcessor() const { return multiProcessor_; }
    bool GetItemEnable() const { return enable_; }
    bool GetBeepEnable() const { return beepEnable_; }
    bool GetShutDownEnable() const { return shutDownEnable_; }
    double GetHighLimit() const { return highLimit_; }
    double GetLowLimit() const { return lowLimit_; }
    std::uint8_t GetInputCode() const { return inputCode_; }
    std::uint8_t GetInputBank() const { return inputBank_; }
    std::uint8_t GetOutputCode() const { return outputCode_; }
    std::uint8_t GetOutputBank() const { return outputBank_; }

    // A copy of the item the controller was made from, so the caller need not
    // keep it alive.
    const FanItemRecord& GetConfiguredItem() const { return configured_; }
    const FanItemRecord& GetWorkingRecord() const { return working_; }
    // The settings page writes its values here before ProgramWorkingRecord.
    FanItemRecord& WorkingRecord() { return working_; }

    // Code of the last chip operation, for diagnostics.
    int LastResult() const { return lastResult_; }

private:
    bool Record(int result);
    bool ProgramSequence(bool enable, int target, int tolerance, int start, int stop);

    FanItemRecord configured_;
    FanItemRecord working_;
    int itemNo_;
    int itemType_;
    std::string name_;
    std::string pinName_;
    std::string fanCtrlPin_;
    std::uint8_t inputCode_ = 0;
    std::uint8_t inputBank_ = 0;
    std::uint8_t outputCode_ = 0;
    std::uint8_t outputBank_ = 0;
    std::uint8_t cpuNo_;
    bool enable_;
    bool beepEnable_;
    bool shutDownEnable_;
    double factor_;
    bool negative_;
    double highLimit_ = 0.0;
    double lowLimit_ = 0.0;
    bool smartFanSupport_;
    bool smartFanEnable_;
    int targetTemp_;
    int toleranceTemp_;
    int startCtrl_;
    int stopCtrl_;
    int fanOutputMode_;
    bool multiProcessor_ = false;
    CChipAccessor chip_;
    int lastResult_ = 1;
};

}  // namespace hwmon
