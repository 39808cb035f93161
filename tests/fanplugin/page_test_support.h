// The fan page's test doubles: a view that keeps what the page shows, and
// fans on a simulated chip.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "fanplugin/FanPageModel.h"
#include "fanplugin/FanPageView.h"
#include "hwmon/FanController.h"
#include "hwmon/FanItemRecord.h"
#include "hwmon/ProcessorCount.h"
#include "hwmon/varnio/SimulatedChip.h"

namespace zefan::test {

struct SpinState {
    int low = -1;
    int high = -1;
    int position = -1;
};

class CRecordingFanPageView : public IFanPageView {
public:
    void SetFanItems(const std::vector<std::string>& names) override { fanItems = names; }
    void SelectFan(int index) override { fanSelection = index; }
    void SetEnableChecked(bool checked) override { enableChecked = checked; }
    void SetEnableCheckAvailable(bool available) override { enableAvailable = available; }
    void SetReferenceItems(const std::vector<std::string>& names) override { referenceItems = names; }
    void SelectReference(int index) override { referenceSelection = index; }
    void SetReferenceAvailable(bool available) override { referenceAvailable = available; }
    void SetValueText(FanPageValue field, const std::string& text) override
    {
        texts[static_cast<std::size_t>(field)] = text;
    }
    void SetSpin(FanPageValue field, int low, int high, int position) override
    {
        spins[static_cast<std::size_t>(field)] = {low, high, position};
    }
    void SetValueControlsAvailable(bool available) override { valuesAvailable = available; }
    void SetUnitLabels(const std::string& unit) override { unitLabel = unit; }
    void SetBoardFileText(const std::string&) override {}
    bool AskYesNo(const std::string& question) override
    {
        questions.push_back(question);
        return answerYes;
    }

    const std::string& Text(FanPageValue field) const { return texts[static_cast<std::size_t>(field)]; }
    const SpinState& Spin(FanPageValue field) const { return spins[static_cast<std::size_t>(field)]; }

    std::vector<std::string> fanItems;
    int fanSelection = -2;
    bool enableChecked = false;
    bool enableAvailable = false;
    std::vector<std::string> referenceItems;
    int referenceSelection = -2;
    bool referenceAvailable = true;
    std::array<std::string, 4> texts;
    std::array<SpinState, 4> spins;
    bool valuesAvailable = false;
    std::string unitLabel;
    std::vector<std::string> questions;
    bool answerYes = false;
};

class CTwoProcessors : public hwmon::IProcessorCount {
public:
    int ProcessorCount() const override { return 2; }
};

// A fan whose measured input and driven output are the same pin.
inline hwmon::FanItemRecord PageFanItem(int itemNo, const std::string& name, const std::string& pin)
{
    hwmon::FanItemRecord item;
    item.itemNo = itemNo;
    item.itemType = 3;
    item.name = name;
    item.pinName = item.fanCtrlPin = pin;
    item.cpuNo = 1;
    item.enable = true;
    item.factor = 1.0;
    item.smartFanSupport = true;
    item.smartFanEnable = true;
    item.targetTemp = 55;
    item.toleranceTemp = 5;
    item.startCtrl = 70;
    item.stopCtrl = 40;
    item.fanOutputMode = 1;
    return item;
}

// Fans on a simulated chip and a page model over them.
class CPageRig {
public:
    // The chip's power-on values look like page values; clear them so a
    // register shows only what the page wrote.
    CPageRig()
    {
        for (std::uint8_t index = 0x05; index <= 0x0B; ++index) {
            chip.SetRegister(0, index, 0);
        }
    }

    hwmon::CFanController& AddFan(const hwmon::FanItemRecord& item)
    {
        fans.push_back(std::make_unique<hwmon::CFanController>(item, chip, processors));
        return *fans.back();
    }

    CFanPageModel& Fill()
    {
        FanPageSetup setup;
        for (auto& fan : fans) {
            setup.fans.push_back(fan.get());
        }
        setup.references = references;
        setup.secondCpuFan = secondCpuFan;
        setup.referenceSelector = referenceSelector;
        setup.celsius = celsius;
        setup.changed = [this] { ++changes; };
        if (applyOnYes) {
            setup.apply = [this] {
                ++applies;
                model->Commit();
            };
        }
        model = std::make_unique<CFanPageModel>(std::move(setup));
        model->Fill(view);
        return *model;
    }

    std::uint8_t Reg(std::uint8_t index) const { return chip.Register(0, index); }

    hwmon::CSimulatedChip chip;
    CTwoProcessors processors;
    std::vector<std::unique_ptr<hwmon::CFanController>> fans;
    std::vector<FanPageReference> references{
        {"SYSTIN", "SYSTIN", 0}, {"CPUTIN", "CPUTIN", 1}, {"AUXTIN", "auxtin", 2}};
    bool secondCpuFan = false;
    int referenceSelector = 0;
    bool celsius = true;
    bool applyOnYes = true;
    int changes = 0;
    int applies = 0;
    CRecordingFanPageView view;
    std::unique_ptr<CFanPageModel> model;
};

}  // namespace zefan::test
