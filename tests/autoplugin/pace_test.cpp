// Automatic mode on hand-moved time and scripted readings: the counters'
// format, the rules with their hysteresis, the dwell time, starting and
// stopping, missing readings, the stored settings and the chip's hottest
// temperature.
#include <gtest/gtest.h>

#include <deque>

#include "autoplugin/AutoPacer.h"
#include "autoplugin/ChipTemperature.h"
#include "autoplugin/PaceTexts.h"
#include "common/RegistryAccess.h"
#include "common/RegistryHives.h"
#include "hwmon/varnio/SimulatedChip.h"
#include "plugin_api/kit/doubles/ManualTime.h"

namespace autopace {
namespace {

TEST(CpuLoadTest, TheSummaryLineGivesBusyAndTotalTime)
{
    const auto times = ParseProcStat("cpu  100 5 50 800 40 3 2 0 7 0\ncpu0 1 2 3 4\n");
    ASSERT_TRUE(times);
    EXPECT_EQ(times->total, 1000u);  // guest time is inside user time already
    EXPECT_EQ(times->busy, 160u);    // idle and iowait are not busy
    EXPECT_EQ(LoadPercent({160, 1000}, {250, 1100}), 90);
    EXPECT_EQ(LoadPercent({160, 1000}, {160, 1000}), std::nullopt);  // no time passed
    EXPECT_EQ(LoadPercent({160, 1000}, {100, 1100}), std::nullopt);  // counters went back
    for (const char* bad : {"", "cpu0 1 2 3 4\n", "cpu  1 2 3\n", "cpu  1 x 3 4\n", "intr 1 2 3 4\n",
                            "cpu  1 2 3 -4\n", "cpu  99999999999999999999999 1 1 1\n"}) {
        EXPECT_EQ(ParseProcStat(bad), std::nullopt) << bad;
    }
}

class ScriptedLoad : public ILoadSource {
public:
    std::optional<CpuTimes> Read() override
    {
        if (unreadable) return std::nullopt;
        times.total += 100;
        times.busy += percent;
        return times;
    }
    void SetPath(const std::string& path) override { this->path = path; }
    int percent = 0;
    bool unreadable = false;
    CpuTimes times;
    std::string path;
};

class FixedTemperature : public ITemperatureSource {
public:
    std::optional<double> Hottest() override { return celsius; }
    std::optional<double> celsius = 40.0;
};

class PacerTest : public ::testing::Test {
protected:
    PacerTest()
    {
        settings.dwellSeconds = 10;
        settings.periodSeconds = 2;
    }
    CAutoPacer& Pacer()
    {
        if (!pacer) {
            pacer = std::make_unique<CAutoPacer>(PacerPorts{load, heat, timer, clock}, settings,
                                                 [this](int mode) { chosen.push_back(mode); });
        }
        return *pacer;
    }
    void Seconds(int s) { clock.Advance(s * 1000LL); }

    PaceSettings settings;  // 70/20 %, 70/50 C, hysteresis 10 % and 5 C
    ScriptedLoad load;
    FixedTemperature heat;
    pluginkit::CManualClock clock;
    pluginkit::CManualTimer timer{clock};
    std::vector<int> chosen;
    std::unique_ptr<CAutoPacer> pacer;
};

TEST_F(PacerTest, HighLoadGoesToTurboAndItsDropBackOnlyAfterTheDwellTime)
{
    load.percent = 95;
    Pacer().Start();
    EXPECT_TRUE(chosen.empty());  // load needs two readings
    Seconds(2);
    EXPECT_EQ(chosen, std::vector<int>{kTurbo});
    load.percent = 5;
    Seconds(8);  // 8 s in Turbo
    EXPECT_EQ(chosen, std::vector<int>{kTurbo});
    Seconds(2);
    EXPECT_EQ(chosen, (std::vector<int>{kTurbo, kQuiet}));
    load.percent = 50;
    Seconds(20);
    EXPECT_EQ(chosen, (std::vector<int>{kTurbo, kQuiet, kNormal}));
    EXPECT_EQ(timer.Interval(), 2000);
}

TEST_F(PacerTest, ALoadHoveringAtAThresholdDoesNotFlap)
{
    settings.dwellSeconds = 0;
    load.percent = 72;
    Pacer().Start();
    Seconds(2);
    for (int percent : {68, 71, 62, 69, 61}) {
        load.percent = percent;
        Seconds(2);
    }
    EXPECT_EQ(chosen, std::vector<int>{kTurbo});
    load.percent = 59;
    Seconds(2);
    EXPECT_EQ(chosen, (std::vector<int>{kTurbo, kNormal}));
    for (int percent : {19, 28, 22, 30}) {  // into Quiet at 20, out again only above 30
        load.percent = percent;
        Seconds(2);
    }
    EXPECT_EQ(chosen, (std::vector<int>{kTurbo, kNormal, kQuiet}));
    load.percent = 31;
    Seconds(2);
    EXPECT_EQ(chosen.back(), kNormal);
}

TEST_F(PacerTest, HeatCallsForTurboAtOnceWhateverTheDwellTime)
{
    settings.dwellSeconds = 600;
    load.percent = 10;
    heat.celsius = 45;
    Pacer().Start();
    Seconds(2);
    heat.celsius = 71.5;
    Seconds(2);
    EXPECT_EQ(chosen, (std::vector<int>{kQuiet, kTurbo}));
    heat.celsius = 66;  // within the hysteresis: stays
    Seconds(700);
    EXPECT_EQ(chosen.back(), kTurbo);
}

TEST_F(PacerTest, StartingAgainKeepsTheStateAndStoppingStopsForGood)
{
    load.percent = 95;
    Pacer().Start();
    Seconds(2);
    load.percent = 5;
    Seconds(4);
    Pacer().Start();  // the host repeats it after every page command
    Seconds(2);
    EXPECT_EQ(chosen, std::vector<int>{kTurbo});  // no fresh first choice
    Seconds(4);  // 10 s since Turbo was chosen, across the repeated start
    EXPECT_EQ(chosen, (std::vector<int>{kTurbo, kQuiet}));
    Pacer().Stop();
    load.percent = 95;
    Seconds(60);
    EXPECT_EQ(chosen.size(), 2u);
    EXPECT_FALSE(timer.Active());
    Pacer().Start();
    Seconds(2);
    EXPECT_EQ(chosen.back(), kTurbo);  // a new start chooses at its first reading
}

TEST_F(PacerTest, MissingReadingsLeaveTheOtherToDecideOrNormal)
{
    load.unreadable = true;
    heat.celsius = 80;
    Pacer().Start();
    Seconds(2);
    EXPECT_EQ(chosen, std::vector<int>{kTurbo});
    EXPECT_NE(PaceStatus(Pacer(), true).find("cannot be read from /proc/stat"), std::string::npos);
    heat.celsius = std::nullopt;
    Seconds(12);
    EXPECT_EQ(chosen, (std::vector<int>{kTurbo, kNormal}));
    EXPECT_NE(PaceStatus(Pacer(), true).find("Without readings Normal is kept"), std::string::npos);
    load.unreadable = false;  // the file comes back: one reading to start from, then load counts
    load.percent = 5;
    heat.celsius = 30;
    Seconds(10);
    EXPECT_EQ(chosen.back(), kQuiet);
}

TEST(PaceSettingsTest, StoredValuesAreKeptInRangeAndInOrder)
{
    CMemoryRegistryHives hives;
    EXPECT_EQ(ReadPaceSettings(hives), PaceSettings{});
    CRegistryAccess registry(hives, CRegistryAccess::Edition::Plugin);
    ASSERT_TRUE(registry.SetRootKey(HKEY_CURRENT_USER));
    registry.SetDword(kPaceSettingsKey, "TurboLoad", 40);
    registry.SetDword(kPaceSettingsKey, "QuietLoad", 90);
    registry.SetDword(kPaceSettingsKey, "Dwell", 0xFFFFFFFF);
    registry.SetDword(kPaceSettingsKey, "Period", 0);
    registry.SetString(kPaceSettingsKey, "TurboTemp", "boiling");  // no DWORD
    registry.SetString(kPaceSettingsKey, kLoadSourceValue, "/tmp/stat");
    const PaceSettings read = ReadPaceSettings(hives);
    EXPECT_EQ(read.turboLoad, 40);
    EXPECT_EQ(read.quietLoad, 39);
    EXPECT_EQ(read.dwellSeconds, 3600);
    EXPECT_EQ(read.periodSeconds, 1);
    EXPECT_EQ(read.turboTemp, 70);
    EXPECT_EQ(read.loadSource, "/tmp/stat");
    PaceSettings changed = read;
    changed.quietTemp = 30;
    ASSERT_TRUE(WritePaceSettings(hives, changed));
    EXPECT_EQ(ReadPaceSettings(hives), changed);
}

TEST(ChipTemperatureTest, TheHottestConnectedInputCounts)
{
    hwmon::CSimulatedChip chip;
    chip.SetRegister(0, 0x27, 41);          // SYSTIN
    chip.SetRegister(1, 0x50, 63);          // CPUTIN 63.5
    chip.SetRegister(1, 0x51, 0x80);
    chip.SetRegister(2, 0x50, 127);         // AUXTIN: no sensor wired
    CChipTemperature temperature(chip);
    EXPECT_EQ(temperature.Hottest(), 63.5);
    chip.SetRegister(1, 0x50, 0x80);        // -128: no reading either
    EXPECT_EQ(temperature.Hottest(), 41.0);

    // A port library that refuses the chip (a refused backend) answers nothing.
    struct RefusedPort : hwmon::IPortIo {
        int OutPortB(int, int) override { return 0; }
        int InPortB(int, std::uint8_t*) override { return 0; }
    } refused;
    EXPECT_EQ(CChipTemperature(refused).Hottest(), std::nullopt);
}

}  // namespace
}  // namespace autopace
