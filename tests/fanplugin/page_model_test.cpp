// The page's behaviour on fans over a simulated chip: filling, switching
// with the save question, enable, up-downs, reference temperature, Default
// and Commit, read back from the view double and the chip's registers.
#include <gtest/gtest.h>

#include "common/RegistryAccess.h"
#include "common/RegistryHives.h"
#include "page_test_support.h"

namespace zefan::test {
namespace {

using Fault = hwmon::CSimulatedChip::Fault;

// Output 0x29 (CPUFANIN0) and 0x28 (SYSFANIN) registers, bank 0.
constexpr std::uint8_t kCpuDuty = 0x03;
constexpr std::uint8_t kModes = 0x04;
constexpr std::uint8_t kSysTarget = 0x05;
constexpr std::uint8_t kCpuTarget = 0x06;
constexpr std::uint8_t kTolerances = 0x07;
constexpr std::uint8_t kCpuStop = 0x09;
constexpr std::uint8_t kCpuStart = 0x0B;

class FanPageModelTest : public ::testing::Test {
protected:
    // A CPU fan, a fan without smart-fan support and a system fan.
    CFanPageModel& FillStandard()
    {
        rig.AddFan(PageFanItem(1, "CPU FAN", "CPUFANIN0"));
        hwmon::FanItemRecord plain = PageFanItem(2, "AUX FAN", "AUXFANIN0");
        plain.smartFanSupport = false;
        rig.AddFan(plain);
        hwmon::FanItemRecord system = PageFanItem(3, "SYS FAN", "SYSFANIN");
        system.targetTemp = 45;
        system.startCtrl = 80;
        system.stopCtrl = 60;
        rig.AddFan(system);
        return rig.Fill();
    }

    CPageRig rig;
};

TEST_F(FanPageModelTest, FillListsSmartFansAndShowsTheFirst)
{
    CFanPageModel& page = FillStandard();
    EXPECT_EQ(rig.view.fanItems, (std::vector<std::string>{"CPU FAN", "SYS FAN"}));
    EXPECT_EQ(rig.view.fanSelection, 0);
    EXPECT_EQ(page.CurrentFan(), rig.fans[0].get());
    EXPECT_EQ(rig.view.referenceItems, (std::vector<std::string>{"SYSTIN", "CPUTIN", "AUXTIN"}));
    EXPECT_EQ(rig.view.Text(FanPageValue::Target), "55");
    EXPECT_EQ(rig.view.Text(FanPageValue::Tolerance), "5");
    EXPECT_EQ(rig.view.Text(FanPageValue::Start), "70%");
    EXPECT_EQ(rig.view.Text(FanPageValue::Stop), "40%");
    EXPECT_EQ(rig.view.Spin(FanPageValue::Target).low, 40);
    EXPECT_EQ(rig.view.Spin(FanPageValue::Target).high, 70);
    EXPECT_EQ(rig.view.Spin(FanPageValue::Start).low, 60);
    EXPECT_EQ(rig.view.Spin(FanPageValue::Stop).high, 60);
    EXPECT_EQ(rig.view.unitLabel, "C");
    EXPECT_TRUE(rig.view.enableChecked);
    EXPECT_TRUE(rig.view.valuesAvailable);
    // A CPU fan follows its own input: the reference list shows its first entry, disabled.
    EXPECT_EQ(rig.view.referenceSelection, 0);
    EXPECT_FALSE(rig.view.referenceAvailable);
    EXPECT_FALSE(page.IsChanged());
    EXPECT_EQ(rig.changes, 0);
}

TEST_F(FanPageModelTest, FillProgramsTheBoardSettingsOfAFanThatWasLeftWithStartZero)
{
    hwmon::CFanController& fan = rig.AddFan(PageFanItem(1, "CPU FAN", "CPUFANIN0"));
    hwmon::FanItemRecord stored = fan.GetConfiguredItem();
    stored.startCtrl = 0;
    ASSERT_TRUE(fan.ProgramSettings(stored));
    ASSERT_EQ(rig.Reg(kCpuStart), 0);
    rig.Fill();
    EXPECT_EQ(fan.GetStartCtrl(), 70);
    EXPECT_EQ(rig.Reg(kCpuStart), 70 * 256 / 100);
    EXPECT_EQ(rig.view.Text(FanPageValue::Start), "70%");
}

TEST_F(FanPageModelTest, UncheckedFanDisablesItsValues)
{
    hwmon::FanItemRecord item = PageFanItem(1, "CPU FAN", "CPUFANIN0");
    item.smartFanEnable = false;
    rig.AddFan(item);
    CFanPageModel& page = rig.Fill();
    EXPECT_FALSE(rig.view.enableChecked);
    EXPECT_FALSE(rig.view.valuesAvailable);
    page.OnSpin(FanPageValue::Target, +1);  // a disabled up-down cannot move
    EXPECT_EQ(rig.view.Text(FanPageValue::Target), "55");
    EXPECT_FALSE(page.IsChanged());
}

TEST_F(FanPageModelTest, PageWithoutSmartFansOffersNothingAndCommitsNothing)
{
    hwmon::FanItemRecord item = PageFanItem(1, "CPU FAN", "CPUFANIN0");
    item.smartFanSupport = false;
    rig.AddFan(item);
    CFanPageModel& page = rig.Fill();
    EXPECT_TRUE(rig.view.fanItems.empty());
    EXPECT_EQ(page.CurrentFan(), nullptr);
    EXPECT_FALSE(rig.view.enableAvailable);
    EXPECT_FALSE(rig.view.valuesAvailable);
    page.OnEnableClicked(true);
    page.OnSpin(FanPageValue::Start, +1);
    page.OnDefault();
    page.Refresh();
    page.OnFanSelected(0);
    EXPECT_FALSE(page.Commit());
    EXPECT_EQ(rig.changes, 0);
}

TEST_F(FanPageModelTest, TemperatureSpinsStepByOneWithinTheirRange)
{
    CFanPageModel& page = FillStandard();
    page.OnSpin(FanPageValue::Target, +1);
    EXPECT_EQ(rig.view.Text(FanPageValue::Target), "56");
    EXPECT_EQ(rig.view.Spin(FanPageValue::Target).position, 56);
    EXPECT_TRUE(page.IsChanged());
    EXPECT_EQ(rig.changes, 1);
    for (int i = 0; i < 20; ++i) {
        page.OnSpin(FanPageValue::Tolerance, -1);
    }
    EXPECT_EQ(rig.view.Text(FanPageValue::Tolerance), "3");
    EXPECT_EQ(rig.changes, 21);  // every press is a change, even at the end
}

TEST_F(FanPageModelTest, StartSpinStepsByTenAndStaysInItsRange)
{
    hwmon::FanItemRecord item = PageFanItem(1, "CPU FAN", "CPUFANIN0");
    item.startCtrl = 100;
    rig.AddFan(item);
    CFanPageModel& page = rig.Fill();
    page.OnSpin(FanPageValue::Start, +1);
    EXPECT_EQ(rig.view.Text(FanPageValue::Start), "100%");
    page.OnSpin(FanPageValue::Start, -1);
    EXPECT_EQ(rig.view.Text(FanPageValue::Start), "90%");
    for (int i = 0; i < 10; ++i) {
        page.OnSpin(FanPageValue::Start, -1);
    }
    EXPECT_EQ(page.ShownValue(FanPageValue::Start), 60);
}

TEST_F(FanPageModelTest, ValuesOffTheTenGridNeverStepPastTheRange)
{
    hwmon::FanItemRecord item = PageFanItem(1, "CPU FAN", "CPUFANIN0");
    item.startCtrl = 95;
    item.stopCtrl = 55;
    rig.AddFan(item);
    CFanPageModel& page = rig.Fill();
    page.OnSpin(FanPageValue::Start, +1);
    EXPECT_EQ(rig.view.Text(FanPageValue::Start), "100%");  // not 105 %
    page.OnSpin(FanPageValue::Stop, +1);
    EXPECT_EQ(rig.view.Text(FanPageValue::Stop), "60%");
    ASSERT_TRUE(page.Commit());
    EXPECT_EQ(rig.Reg(kCpuStart), 255);
}

TEST_F(FanPageModelTest, ABoardValueOutsideTheRangeIsShownAsItIsAndStepsIntoTheRange)
{
    hwmon::FanItemRecord item = PageFanItem(1, "CPU FAN", "CPUFANIN0");
    item.targetTemp = 35;  // below the CPU range of 40-70
    rig.AddFan(item);
    CFanPageModel& page = rig.Fill();
    EXPECT_EQ(rig.view.Text(FanPageValue::Target), "35");
    ASSERT_TRUE(page.Commit());
    EXPECT_EQ(rig.Reg(kCpuTarget), 35);  // showing a value does not alter it
    page.OnSpin(FanPageValue::Target, -1);
    EXPECT_EQ(page.ShownValue(FanPageValue::Target), 35);
    page.OnSpin(FanPageValue::Target, +1);
    EXPECT_EQ(page.ShownValue(FanPageValue::Target), 40);
}

TEST_F(FanPageModelTest, FanOfNeitherClassKeepsAndEditsItsValues)
{
    hwmon::FanItemRecord item = PageFanItem(1, "AUX FAN", "AUXFANIN0");
    rig.AddFan(item);
    CFanPageModel& page = rig.Fill();
    page.OnSpin(FanPageValue::Target, +1);
    page.OnSpin(FanPageValue::Tolerance, -1);
    EXPECT_EQ(rig.view.Text(FanPageValue::Target), "56");
    EXPECT_EQ(rig.view.Text(FanPageValue::Tolerance), "4");
    ASSERT_TRUE(page.Commit());
    EXPECT_EQ(rig.fans[0]->GetTargetTemp(), 56);  // never 0 C
    EXPECT_EQ(rig.fans[0]->GetToleranceTemp(), 4);
}

TEST_F(FanPageModelTest, CommitProgramsThePageValues)
{
    CFanPageModel& page = FillStandard();
    page.OnSpin(FanPageValue::Target, +1);
    page.OnSpin(FanPageValue::Tolerance, +1);
    page.OnSpin(FanPageValue::Start, +1);
    page.OnSpin(FanPageValue::Stop, -1);
    EXPECT_TRUE(page.Commit());
    EXPECT_FALSE(page.IsChanged());
    EXPECT_EQ(rig.Reg(kCpuTarget), 56);
    EXPECT_EQ(rig.Reg(kTolerances) >> 4, 6);
    EXPECT_EQ(rig.Reg(kCpuStart), 80 * 256 / 100);
    EXPECT_EQ(rig.Reg(kCpuStop), 30 * 256 / 100);
    const hwmon::FanItemRecord& record = rig.fans[0]->GetWorkingRecord();
    EXPECT_EQ(record.targetTemp, 56);
    EXPECT_EQ(record.toleranceTemp, 6);
    EXPECT_EQ(record.startCtrl, 80);
    EXPECT_EQ(record.stopCtrl, 30);
}

TEST_F(FanPageModelTest, CommitOfAnUncheckedFanSwitchesThermalCruiseOff)
{
    CFanPageModel& page = FillStandard();
    page.OnEnableClicked(false);
    EXPECT_FALSE(rig.view.valuesAvailable);
    EXPECT_TRUE(page.IsChanged());
    EXPECT_EQ(rig.changes, 1);
    ASSERT_TRUE(page.Commit());
    EXPECT_EQ((rig.Reg(kModes) >> 4) & 3, 0);
    EXPECT_EQ(rig.Reg(kCpuDuty), 255);
    EXPECT_FALSE(rig.fans[0]->GetSmartFanEnable());
}

TEST_F(FanPageModelTest, FailedCommitIsReportedAndKeepsWhatTheUserAskedFor)
{
    CFanPageModel& page = FillStandard();
    page.OnSpin(FanPageValue::Target, +1);
    rig.chip.FailNth(Fault::DataWrite, 1);
    EXPECT_FALSE(page.Commit());
    EXPECT_FALSE(page.IsChanged());
    EXPECT_EQ(rig.fans[0]->GetWorkingRecord().targetTemp, 56);  // saved, reprogrammed next start
    EXPECT_EQ(rig.view.Text(FanPageValue::Target), "56");
}

TEST_F(FanPageModelTest, SwitchingAfterAnEditAsksAndNoDropsTheEdit)
{
    CFanPageModel& page = FillStandard();
    page.OnSpin(FanPageValue::Target, +1);
    rig.view.answerYes = false;
    page.OnFanSelected(1);
    EXPECT_EQ(rig.view.questions, (std::vector<std::string>{"Do you want to save the setting?"}));
    EXPECT_EQ(rig.applies, 0);
    EXPECT_FALSE(page.IsChanged());
    EXPECT_EQ(rig.Reg(kCpuTarget), 0);  // nothing programmed
    EXPECT_EQ(page.CurrentFan(), rig.fans[2].get());
    EXPECT_EQ(rig.view.Text(FanPageValue::Target), "45");
    EXPECT_EQ(rig.view.Text(FanPageValue::Start), "80%");
    EXPECT_EQ(rig.view.Spin(FanPageValue::Target).low, 30);
    EXPECT_EQ(rig.view.Spin(FanPageValue::Start).low, 70);
    page.OnFanSelected(0);  // nothing changed since: no question
    EXPECT_EQ(rig.view.questions.size(), 1u);
    EXPECT_EQ(rig.view.Text(FanPageValue::Target), "55");
}

TEST_F(FanPageModelTest, SwitchingAfterAnEditAndYesAppliesTheFanLeft)
{
    CFanPageModel& page = FillStandard();
    page.OnSpin(FanPageValue::Target, -1);
    rig.view.answerYes = true;
    page.OnFanSelected(1);
    EXPECT_EQ(rig.applies, 1);
    EXPECT_EQ(rig.Reg(kCpuTarget), 54);
    EXPECT_EQ(rig.Reg(kSysTarget), 0);  // the system fan was not touched
    EXPECT_FALSE(page.IsChanged());
    EXPECT_EQ(rig.view.Text(FanPageValue::Target), "45");
}

TEST_F(FanPageModelTest, YesWithoutAnApplyHandlerCommits)
{
    rig.applyOnYes = false;
    CFanPageModel& page = FillStandard();
    page.OnSpin(FanPageValue::Target, -1);
    rig.view.answerYes = true;
    page.OnFanSelected(1);
    EXPECT_EQ(rig.Reg(kCpuTarget), 54);
}

TEST_F(FanPageModelTest, EntriesNameTheirOwnFanEvenWhenNamesContainOneAnother)
{
    hwmon::FanItemRecord longer = PageFanItem(1, "CPU FAN 2", "CPUFANIN0");
    longer.targetTemp = 60;
    rig.AddFan(longer);
    rig.AddFan(PageFanItem(2, "CPU FAN", "AUXFANIN0"));
    CFanPageModel& page = rig.Fill();
    page.OnFanSelected(1);
    EXPECT_EQ(page.CurrentFan(), rig.fans[1].get());
    EXPECT_EQ(rig.view.Text(FanPageValue::Target), "55");
    page.OnFanSelected(7);  // no such entry: nothing changes
    EXPECT_EQ(page.CurrentFan(), rig.fans[1].get());
}

TEST_F(FanPageModelTest, ReferenceChoiceIsAChangeNoticeButNotAnEdit)
{
    rig.secondCpuFan = true;
    CFanPageModel& page = FillStandard();
    page.OnFanSelected(1);
    EXPECT_TRUE(rig.view.referenceAvailable);
    page.OnReferenceSelected(1);
    EXPECT_EQ(page.ReferenceSelector(), 1);
    EXPECT_EQ(rig.changes, 1);
    EXPECT_FALSE(page.IsChanged());
    page.OnFanSelected(0);
    EXPECT_TRUE(rig.view.questions.empty());
}

TEST_F(FanPageModelTest, ReferenceNamesMatchWithoutRegardToCase)
{
    rig.references = {{"Board", "SYSTIN", 0}, {"CPU", "CPUTIN", 1}, {"board", "AUXTIN", 2}};
    rig.secondCpuFan = true;
    CFanPageModel& page = FillStandard();
    page.OnReferenceSelected(0);
    EXPECT_EQ(page.ReferenceSelector(), 2);  // the last source of that name
    page.OnReferenceSelected(5);
    EXPECT_EQ(page.ReferenceSelector(), 2);
}

TEST_F(FanPageModelTest, SystemFanShowsTheSelectorsSourceAndOffersItOnlyWithASecondCpuFan)
{
    rig.referenceSelector = 1;
    rig.AddFan(PageFanItem(1, "SYS FAN", "SYSFANIN"));
    rig.Fill();
    EXPECT_EQ(rig.view.referenceSelection, 1);
    EXPECT_FALSE(rig.view.referenceAvailable);  // no "CPUFANIN1" fan on this board
    rig.model->OnEnableClicked(false);
    rig.model->OnEnableClicked(true);
    EXPECT_FALSE(rig.view.referenceAvailable);
}

TEST_F(FanPageModelTest, EnableClickDecidesTheReferenceListOfASystemFan)
{
    rig.secondCpuFan = true;
    rig.referenceSelector = 1;
    rig.AddFan(PageFanItem(1, "SYS FAN", "SYSFANIN"));
    CFanPageModel& page = rig.Fill();
    EXPECT_TRUE(rig.view.referenceAvailable);
    page.OnEnableClicked(false);
    EXPECT_FALSE(rig.view.referenceAvailable);
    EXPECT_FALSE(rig.view.valuesAvailable);
    page.OnEnableClicked(true);
    EXPECT_TRUE(rig.view.referenceAvailable);
    EXPECT_TRUE(rig.view.valuesAvailable);
    EXPECT_EQ(rig.view.referenceSelection, 1);
    EXPECT_EQ(rig.changes, 2);
}

TEST_F(FanPageModelTest, SwitchingToASystemFanOnAnotherPinKeepsTheReferenceListClosed)
{
    rig.secondCpuFan = true;
    rig.AddFan(PageFanItem(1, "CPU FAN", "CPUFANIN0"));
    rig.AddFan(PageFanItem(2, "SYS FAN 2", "AUXFANIN0"));
    CFanPageModel& page = rig.Fill();
    page.OnFanSelected(1);
    EXPECT_FALSE(rig.view.referenceAvailable);
    EXPECT_EQ(rig.view.referenceSelection, 0);
}

TEST_F(FanPageModelTest, DefaultProgramsTheBoardSettingsAndCountsAsAnEdit)
{
    CFanPageModel& page = FillStandard();
    page.OnSpin(FanPageValue::Target, +1);
    page.OnEnableClicked(false);
    ASSERT_TRUE(page.Commit());
    ASSERT_EQ(rig.Reg(kCpuTarget), 56);
    rig.changes = 0;
    page.OnDefault();
    EXPECT_EQ(rig.Reg(kCpuTarget), 55);
    EXPECT_EQ((rig.Reg(kModes) >> 4) & 3, 1);
    EXPECT_EQ(rig.view.Text(FanPageValue::Target), "55");
    EXPECT_TRUE(rig.view.enableChecked);
    EXPECT_TRUE(rig.view.valuesAvailable);
    EXPECT_TRUE(page.IsChanged());
    EXPECT_EQ(rig.changes, 1);
}

TEST_F(FanPageModelTest, RefreshShowsTheCurrentFanAgain)
{
    CFanPageModel& page = FillStandard();
    page.OnFanSelected(1);
    rig.fans[2]->SetTargetTemp(48);
    page.Refresh();
    EXPECT_EQ(rig.view.Text(FanPageValue::Target), "48");
}

TEST_F(FanPageModelTest, DetachedPageStillCommits)
{
    CFanPageModel& page = FillStandard();
    page.OnSpin(FanPageValue::Target, +1);
    page.DetachView();
    rig.view = CRecordingFanPageView();
    EXPECT_TRUE(page.Commit());
    EXPECT_EQ(rig.Reg(kCpuTarget), 56);
    page.Refresh();
    EXPECT_TRUE(rig.view.texts[0].empty());
}

}  // namespace
}  // namespace zefan::test
