// The simulated chip across accesses and processes: time advances with the
// clock, the state survives in its store, garble means power-on.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "TestDoubles.h"
#include "hwmon/ChipAccessor.h"
#include "hwmon/FanOutputRegisters.h"
#include "hwmon/linux/BootClock.h"
#include "hwmon/linux/StateFile.h"
#include "hwmon/varnio/PersistentSimulatedChip.h"

namespace hwmon::test {
namespace {

std::uint8_t ReadRegister(IPortIo& port, int bank, int index)
{
    CChipAccessor chip(port);
    chip.SelectBank(bank);
    std::uint8_t value = 0;
    EXPECT_EQ(chip.ReadRegister(static_cast<std::uint8_t>(index), value), 1);
    return value;
}

SimulatedChipState Stored(const CMemoryStateStore& store)
{
    SimulatedChipState state;
    EXPECT_TRUE(DecodeState(store.text, state));
    return state;
}

class PersistentChipTest : public ::testing::Test {
protected:
    CMemoryStateStore store;
    CFakeClock clock;
};

TEST_F(PersistentChipTest, FirstAccessPowersOnAndKeepsTheWrite)
{
    CPersistentSimulatedChip chip(store, clock, 0xC1);
    CChipAccessor accessor(chip);
    EXPECT_EQ(accessor.WriteRegister(0x05, 0x33), 1);
    EXPECT_FALSE(store.locked);
    const SimulatedChipState state = Stored(store);
    EXPECT_EQ(state.banks[0][0x05], 0x33);
    EXPECT_EQ(state.banks[0][0x58], 0xC1);
    EXPECT_EQ(state.clockNs, clock.now);
}

TEST_F(PersistentChipTest, TwoChipsOnOneStoreAreOneChip)
{
    CPersistentSimulatedChip first(store, clock, 0xA1);
    CChipAccessor a(first);
    ASSERT_EQ(a.SelectBank(5), 1);
    ASSERT_EQ(a.WriteRegister(0x5C, 0x44), 1);
    CPersistentSimulatedChip second(store, clock, 0xA1);
    // The second one continues where the first left: bank 5 is selected.
    std::uint8_t value = 0;
    second.OutPortB(kIndexPort, 0x5C);
    ASSERT_EQ(second.InPortB(kDataPort, &value), 1);
    EXPECT_EQ(value, 0x44);
}

// A claimed scan touches the store once at each end, holds it locked in
// between, and leaves exactly the chip that access-by-access use leaves.
TEST_F(PersistentChipTest, ASessionLoadsAndSavesOnceAndChangesNothingElse)
{
    CMemoryStateStore plain;
    CPersistentSimulatedChip reference(plain, clock, 0xA1);
    CPersistentSimulatedChip chip(store, clock, 0xA1);
    clock.AdvanceSeconds(3);
    const auto work = [](IPortIo& port) {
        CChipAccessor accessor(port);
        std::uint8_t value = 0;
        for (int bank = 0; bank < 6; ++bank) {
            EXPECT_EQ(accessor.SelectBank(bank), 1);
            EXPECT_EQ(accessor.ReadRegister(0x50, value), 1);
        }
        EXPECT_EQ(accessor.WriteRegister(0x05, 0x2A), 1);
    };
    work(reference);
    ASSERT_TRUE(chip.BeginSession());
    EXPECT_TRUE(store.locked);
    const int loadsBefore = store.loads;
    work(chip);
    EXPECT_EQ(store.loads, loadsBefore);
    EXPECT_EQ(store.saves, 0);
    chip.EndSession();
    EXPECT_FALSE(store.locked);
    EXPECT_EQ(store.saves, 1);
    EXPECT_TRUE(Stored(store) == Stored(plain));

    // A session that only reads saves nothing, and the chips stay one chip:
    // what it read and what is read later match the chip that saved.
    const auto read = [](IPortIo& port) {
        std::uint8_t value = 0;
        EXPECT_EQ(CChipAccessor(port).ReadRegister(0x50, value), 1);
        return value;
    };
    clock.AdvanceSeconds(20);
    ASSERT_TRUE(chip.BeginSession());
    read(chip);  // a fresh accessor selects bank 0: a change, saved
    chip.EndSession();
    EXPECT_EQ(store.saves, 2);
    read(reference);
    clock.AdvanceSeconds(20);
    ASSERT_TRUE(chip.BeginSession());
    const std::uint8_t during = read(chip);
    chip.EndSession();
    EXPECT_EQ(store.saves, 2);
    EXPECT_EQ(during, read(reference));
    clock.AdvanceSeconds(30);
    EXPECT_EQ(read(chip), read(reference));
    // Once a minute the file is brought forward all the same.
    clock.AdvanceSeconds(61);
    ASSERT_TRUE(chip.BeginSession());
    read(chip);
    chip.EndSession();
    EXPECT_EQ(Stored(store).clockNs, clock.now - clock.now % kModelTickNs);

    // Without the store's lock there is no session: accesses go one by one.
    store.lockSucceeds = false;
    EXPECT_FALSE(chip.BeginSession());
    chip.EndSession();
}

TEST_F(PersistentChipTest, ElapsedTimeRunsTheModelInWholeTicks)
{
    CPersistentSimulatedChip chip(store, clock, 0xA1);
    CChipAccessor accessor(chip);
    ASSERT_EQ(WriteFanTargetTemperature(accessor, 0x29, 20), 1);
    ASSERT_EQ(WriteFanMode(accessor, 0x29, 1), 1);
    const std::int64_t ticks = Stored(store).modelTicks;
    clock.AdvanceSeconds(0.05);
    ReadRegister(chip, 0, 0x03);
    EXPECT_EQ(Stored(store).modelTicks, ticks);  // half a tick is not yet a tick
    clock.AdvanceSeconds(2.0);
    const std::uint8_t duty = ReadRegister(chip, 0, 0x03);
    EXPECT_EQ(Stored(store).modelTicks, ticks + 20);
    EXPECT_EQ(duty, 0x80 + 20);  // started at the start value, one step a tick
}

TEST_F(PersistentChipTest, SplittingTimeOverAccessesChangesNothing)
{
    CMemoryStateStore otherStore;
    CFakeClock otherClock;
    CPersistentSimulatedChip often(store, clock, 0xA1);
    CPersistentSimulatedChip once(otherStore, otherClock, 0xA1);
    ReadRegister(often, 1, 0x50);
    ReadRegister(once, 1, 0x50);
    for (int i = 0; i < 40; ++i) {
        clock.now += 370'000'000;
        ReadRegister(often, 1, 0x50);
    }
    otherClock.now += 40 * 370'000'000LL;
    ReadRegister(once, 1, 0x50);
    SimulatedChipState a = Stored(store);
    SimulatedChipState b = Stored(otherStore);
    EXPECT_EQ(a.modelTicks, b.modelTicks);
    EXPECT_EQ(a.microCelsius, b.microCelsius);
    EXPECT_EQ(a.banks, b.banks);
}

TEST_F(PersistentChipTest, LongIdleTimeIsBounded)
{
    CPersistentSimulatedChip chip(store, clock, 0xA1);
    ReadRegister(chip, 0, 0x01);
    clock.AdvanceSeconds(24 * 3600.0);
    ReadRegister(chip, 0, 0x01);
    const SimulatedChipState state = Stored(store);
    EXPECT_LE(state.modelTicks, kMaxCatchUpTicks);
    EXPECT_LE(clock.now - state.clockNs, kModelTickNs);
}

TEST_F(PersistentChipTest, GarbleOrAClockGoingBackMeansPowerOn)
{
    CPersistentSimulatedChip chip(store, clock, 0xA1);
    CChipAccessor accessor(chip);
    ASSERT_EQ(accessor.WriteRegister(0x05, 0x33), 1);
    store.text.replace(store.text.find("bank0 ") + 10, 4, "????");
    EXPECT_NE(ReadRegister(chip, 0, 0x05), 0x33);
    ASSERT_EQ(accessor.WriteRegister(0x05, 0x33), 1);
    clock.now -= 1'000'000'000;
    EXPECT_NE(ReadRegister(chip, 0, 0x05), 0x33);
}

TEST_F(PersistentChipTest, FailuresOfTheStore)
{
    CPersistentSimulatedChip chip(store, clock, 0xA1);
    store.saveSucceeds = false;
    EXPECT_EQ(chip.OutPortB(kIndexPort, 0x05), 0);  // a write the chip did not keep
    store.saveSucceeds = true;
    store.lockSucceeds = false;
    std::uint8_t value = 0x5A;
    EXPECT_EQ(chip.InPortB(kDataPort, &value), 0);
    EXPECT_EQ(value, 0x5A);
}

TEST_F(PersistentChipTest, OtherPortsNeverReachTheStore)
{
    CPersistentSimulatedChip chip(store, clock, 0xA1);
    std::uint8_t value = 0;
    EXPECT_EQ(chip.OutPortB(0x2E, 0x87), 0);
    EXPECT_EQ(chip.InPortB(0x297, &value), 0);
    EXPECT_EQ(store.locks, 0);
}

class StateFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/varnio-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
        path = dir + "/chip.state";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string dir;
    std::string path;
};

TEST_F(StateFileTest, SaveReplacesTheWholeFile)
{
    CStateFile file(path);
    std::string text;
    EXPECT_FALSE(file.Load(text));
    ASSERT_TRUE(file.Lock());
    EXPECT_TRUE(file.Save(std::string(5000, 'a')));
    EXPECT_TRUE(file.Save("short"));
    file.Unlock();
    EXPECT_TRUE(file.Load(text));
    EXPECT_EQ(text, "short");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    EXPECT_FALSE(CStateFile(dir + "/missing/chip.state").Lock());
}

TEST_F(StateFileTest, ProcessesOneAfterAnotherShareTheChip)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CStateFile file(path);
        CBootClock clock;
        CPersistentSimulatedChip chip(file, clock, 0xA1);
        CChipAccessor accessor(chip);
        const bool ok = WriteFanTargetTemperature(accessor, 0x2A, 42) == 1 && WriteFanMode(accessor, 0x2A, 1) == 1;
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    CStateFile file(path);
    CBootClock clock;
    CPersistentSimulatedChip chip(file, clock, 0xA1);
    CChipAccessor accessor(chip);
    FanOutputSettings settings;
    ASSERT_EQ(ReadFanOutputSettings(accessor, 0x2A, settings), 1);
    EXPECT_EQ(settings.targetCelsius, 42);
    EXPECT_EQ(settings.mode, 1);
}

TEST_F(StateFileTest, ConcurrentProcessesNeverCorruptTheState)
{
    {
        CStateFile file(path);
        CBootClock clock;
        CPersistentSimulatedChip chip(file, clock, 0xA1);
        CChipAccessor accessor(chip);
        ASSERT_EQ(accessor.WriteRegister(0x63, 0x5A), 1);  // a mark power-on would lose
    }
    constexpr int kChildren = 3;
    pid_t children[kChildren];
    for (pid_t& child : children) {
        child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            CStateFile file(path);
            CBootClock clock;
            CPersistentSimulatedChip chip(file, clock, 0xA1);
            int failures = 0;
            for (int i = 0; i < 150; ++i) {
                std::uint8_t value = 0;
                failures += chip.OutPortB(kIndexPort, 0x4A) != 1;
                failures += chip.InPortB(kDataPort, &value) != 1;
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::ifstream in(path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SimulatedChipState state;
    ASSERT_TRUE(DecodeState(text, state));
    EXPECT_EQ(state.banks[0][0x63], 0x5A);
}

}  // namespace
}  // namespace hwmon::test
