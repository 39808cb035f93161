// The monitor object as the host drives it, on the simulated chip in
// memory: the "HWM" key it leaves, when it reads the chip, the marks bad
// input gets, the host's warning on transitions only, a chip that goes away,
// and the page's refusal and commit.
#include "MonitorFixture.h"

namespace monitor::test {
namespace {

TEST_F(MonitorFixture, AFreshProfileGetsACompleteKeyAndStoredSettingsWin)
{
    Store(kCpuFan, "TargetTemp", 61);  // the fan plug-in's
    CRegistryAccess user(hives, CRegistryAccess::Edition::Plugin);
    user.SetRootKey(HKEY_CURRENT_USER);
    user.SetString(board::StoredItemKey(kVcore), "Name", "Vcore");
    Store(kVcore, "HiLimit", 1400);
    Store(kSystin, "ItemType", 3);  // another board's fan: replaced
    Load();

    EXPECT_EQ(Stored(kCputin, "HiLimit"), 80000u);  // the chip's limit registers
    EXPECT_EQ(Stored(kCputin, "LoLimit"), 75000u);
    EXPECT_EQ(Stored(kSystin, "HiLimit"), 75000u);
    EXPECT_EQ(Stored(kSystin, "ItemType"), 2u);
    EXPECT_EQ(Stored(kAuxFan, "HiLimit"), 10000000u);  // no limits: never an alarm
    EXPECT_EQ(Stored(kCpuFan, "TargetTemp"), 61u);
    EXPECT_DOUBLE_EQ(plugin->Items()[0].hiLimit, 1.4);
    EXPECT_EQ(plugin->Items()[0].caption, "Vcore");
    EXPECT_EQ(plugin->Items()[9].documentName, "CPUTIN_10");
    EXPECT_EQ(plugin->Items()[4].documentName, "ITEM5");
}

TEST_F(MonitorFixture, TheChipIsReadOnceATickUnderOneClaimAndNeverAtCreation)
{
    Load();
    recording.Clear();
    clock.Advance(1999);
    EXPECT_EQ(recording.outerClaims, 0);
    clock.Advance(1);  // the plug-in's own timer
    EXPECT_EQ(recording.outerClaims, 1);
    EXPECT_EQ(recording.unclaimedOps, 0);
    pluginkit::Document(extend);  // a sample 1 ms old serves
    EXPECT_EQ(recording.outerClaims, 1);
    clock.Advance(600);
    pluginkit::Document(extend);
    EXPECT_EQ(recording.outerClaims, 2);
    clock.Advance(1400);  // the timer finds a sample 1.4 s old
    EXPECT_EQ(recording.outerClaims, 2);
    clock.Advance(2000);
    EXPECT_EQ(recording.outerClaims, 3);
}

TEST_F(MonitorFixture, BadInputIsMarkedUnavailableAndAStandingFanWarns)
{
    Load();
    chip.SetRegister(0, 0x29, 0xFF);  // CPU fan stands
    Tick();
    const struct {
        const char* section;
        const char* name;
        const char* note;
    } kBad[] = {
        {"VOLTAGE", "ITEM5", "pin VIN9 is not an input of the chip"},
        {"VOLTAGE", "VIN0", "its Factor is 0"},
        {"VOLTAGE", "V3VCC", "its low limit is above its high limit"},
        {"TEMPERATURE", "AUXTIN", "no sensor is connected (it reads -128 \u00B0C)"},
    };
    for (const auto& bad : kBad) {
        auto item = Item(bad.section, bad.name);
        EXPECT_EQ(item["STATE"], "unavailable") << bad.name;
        EXPECT_EQ(item["AVAILABILITY"], "2") << bad.name;
        EXPECT_EQ(item["NOTE"], bad.note);
    }
    EXPECT_EQ(Item("VOLTAGE", "V3VCC")["VALUE"], "3.280");  // read, but not judged
    auto fan = Item("FANSPEED", "CPUFANIN0");
    EXPECT_EQ(fan["VALUE"], "0");
    EXPECT_EQ(fan["STATE"], "low");
    EXPECT_EQ(fan["AVAILABILITY"], "4");
    auto aux = Item("FANSPEED", "AUXFANIN1");
    EXPECT_EQ(aux["AVAILABILITY"], "3");
    EXPECT_EQ(aux["LIMITS"], "0 \u2013 10000 rpm");
    EXPECT_EQ(g_events, std::vector<std::string>{"HARDWARE_WARNING 1"});

    // An unreadable register marks its item only.
    chip.FailNth(hwmon::CSimulatedChip::Fault::DataRead, 3);
    Tick();
    int chipErrors = 0;
    for (const ItemStatus& status : plugin->Status()) {
        chipErrors += status.verdict.note == "the chip does not answer";
    }
    EXPECT_EQ(chipErrors, 1);
}

TEST_F(MonitorFixture, TheHostHearsOfWarningsOnlyWhenTheyStartAndEnd)
{
    Load();
    Tick();
    EXPECT_TRUE(g_events.empty());
    SetCputin(85);
    Tick();
    Tick();
    EXPECT_EQ(g_events, std::vector<std::string>{"HARDWARE_WARNING 1"});
    auto cpu = Item("TEMPERATURE", "CPUTIN");
    EXPECT_EQ(cpu["STATE"], "high");
    EXPECT_EQ(cpu["AVAILABILITY"], "4");
    EXPECT_EQ(Item("MONITOR", "VARNEQ")["WARNING"], "1");
    SetCputin(79);  // below the limit, above where the warning clears
    Tick();
    EXPECT_EQ(g_events.size(), 1u);
    SetCputin(75);
    Tick();
    EXPECT_EQ(g_events, (std::vector<std::string>{"HARDWARE_WARNING 1", "HARDWARE_WARNING 0"}));
    EXPECT_EQ(Item("TEMPERATURE", "CPUTIN")["AVAILABILITY"], "3");
}

TEST_F(MonitorFixture, AChipThatGoesAwayEndsTheWarningAndSaysWhatTheBackendSays)
{
    Load();
    SetCputin(90);
    Tick();
    port.gone = true;
    Tick();
    EXPECT_EQ(g_events, (std::vector<std::string>{"HARDWARE_WARNING 1", "HARDWARE_WARNING 0"}));
    for (const ItemStatus& status : plugin->Status()) {
        EXPECT_EQ(status.verdict.state, ItemState::Unavailable);
    }
    EXPECT_EQ(Item("MONITOR", "VARNEQ")["STATUS"],
              "The chip cannot be read (service: not running): no reading is watched.");
    EXPECT_EQ(Item("TEMPERATURE", "CPUTIN")["NOTE"], "the chip does not answer");
    port.gone = false;
    Tick();
    EXPECT_EQ(g_events.back(), "HARDWARE_WARNING 1");
}

TEST_F(MonitorFixture, LimitsUnknownAtStartComeWhenTheChipAnswers)
{
    port.gone = true;
    Load();
    EXPECT_EQ(Stored(kCputin, "HiLimit"), 0xDEADu);  // nothing stored as a limit yet
    Tick();
    EXPECT_EQ(plugin->Status()[2].verdict.note, "its limits cannot be read from the chip");
    port.gone = false;
    Tick();
    EXPECT_EQ(plugin->Status()[2].verdict.state, ItemState::Ok);
    EXPECT_EQ(Stored(kCputin, "HiLimit"), 80000u);
}

TEST_F(MonitorFixture, ThePageRefusesBackwardLimitsAndStoresOnlyWhatChanged)
{
    CRegistryAccess user(hives, CRegistryAccess::Edition::Plugin);
    user.SetRootKey(HKEY_CURRENT_USER);
    user.SetString("Software\\VARN\\TamloIII", "Temperature", "1");
    Load();
    auto* dialog = pluginkit::Query<IVARNDialog>(extend, VARN_IID_DIALOG);
    ASSERT_NE(dialog->vtbl->CreatePage(dialog, &pages), nullptr);
    const PageRow& cpu = pages.view.rows[2];
    EXPECT_EQ(cpu.unit, "\u00B0F");
    EXPECT_DOUBLE_EQ(cpu.high, 176.0);
    EXPECT_TRUE(cpu.beepAvailable);
    EXPECT_FALSE(pages.view.rows[4].beepAvailable);  // no such pin

    pages.model->SetLow(2, 185.0);
    EXPECT_TRUE(pages.view.problem);
    EXPECT_NE(pages.view.message.find("CPU Temperature: the low limit (185 \u00B0F) is above the high limit"),
              std::string::npos)
        << pages.view.message;
    EXPECT_EQ(g_events, std::vector<std::string>{"DLG_CHANGED 0"});
    EXPECT_EQ(dialog->vtbl->OnApply(dialog), 0);
    EXPECT_EQ(Stored(kCputin, "LoLimit"), 75000u);

    // The board's own backward limits are marked on their row and keep
    // nothing else from being stored.
    EXPECT_EQ(pages.view.rows[6].problem, "its low limit is above its high limit");
    pages.model->SetHigh(2, 194.0);  // 90 C
    pages.model->SetBeep(2, true);
    pages.model->SetEnabled(0, false);
    EXPECT_EQ(dialog->vtbl->OnApply(dialog), 1);
    EXPECT_EQ(Stored(kCputin, "HiLimit"), 90000u);
    EXPECT_EQ(Stored(kCputin, "LoLimit"), 85000u);
    EXPECT_EQ(Stored(kVcore, "Enable"), 0u);
    // The items' beep bits follow them; VAVCC and SYSFANIN are no item.
    EXPECT_EQ(chip.Register(0, 0x56), 0x64);
    EXPECT_EQ(chip.Register(1, 0x55), 80);  // no limit register written
    EXPECT_EQ(Item("VOLTAGE", "VCORE")["STATE"], "unwatched");
    EXPECT_EQ(dialog->vtbl->OnOK(dialog), 1);
}

}  // namespace
}  // namespace monitor::test
