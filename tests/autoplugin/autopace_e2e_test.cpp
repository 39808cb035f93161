// Automatic mode on the real Velmar (Xvfb, KavoIII) with both mode plug-ins
// and python3-dbusmock's power-profiles daemon on a private system bus. The
// load comes from a file in /proc/stat's format that the test writes (the
// plug-in's test-only "LoadSource"), with a one-second period and a
// four-second dwell: "Auto" with the load held high goes to Turbo, holds it
// for the dwell after the load drops, then goes to Quiet; a mode key ends
// automatic mode for good.
#include <atomic>
#include <fstream>
#include <thread>

#include "ModesE2E.h"

namespace modes_e2e {
namespace {

constexpr int kDwellSeconds = 4;

// Writes the counters every 100 ms: of each 100 ticks, busy percent are busy.
class LoadWriter {
public:
    explicit LoadWriter(std::string path) : path_(std::move(path)), thread_([this] { Run(); }) {}
    ~LoadWriter()
    {
        stop_ = true;
        thread_.join();
    }
    void Hold(int percent) { busy_ = percent; }

private:
    void Run()
    {
        unsigned long long busy = 0, idle = 0;
        while (!stop_) {
            busy += busy_;
            idle += 100 - busy_;
            const std::string temporary = path_ + ".tmp";
            std::ofstream(temporary) << "cpu  " << busy << " 0 0 " << idle << " 0 0 0 0 0 0\ncpu0 0 0 0 0\n";
            std::filesystem::rename(temporary, path_);  // never half a file
            std::this_thread::sleep_for(100ms);
        }
    }

    std::string path_;
    std::atomic<int> busy_ = 50;
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

TEST_F(ModesE2E, AutoFollowsTheLoadWithinItsDwellAndAModeKeyEndsIt)
{
    LoadWriter load(profile_ + "/stat");
    Varnreg(std::string("set ") + kAutoPaceKey + " LoadSource --string " + profile_ + "/stat");
    Varnreg(std::string("set ") + kAutoPaceKey + " Period --dword 1");
    Varnreg(std::string("set ") + kAutoPaceKey + " Dwell --dword " + std::to_string(kDwellSeconds));
    // The simulated chip's temperatures must not decide here: only the load.
    Varnreg(std::string("set ") + kAutoPaceKey + " TurboTemp --dword 120");
    Varnreg(std::string("set ") + kAutoPaceKey + " QuietTemp --dword 119");
    StartDaemon();
    Start();
    State state = DumpWhen([](State& v) { return Shows(v, 2); });
    ASSERT_TRUE(Shows(state, 2)) << velmar_e2e::LogTail(profile_);

    load.Hold(95);
    Click(102 + 32, 226 + 12);  // Auto
    state = DumpWhen([](State& v) { return Shows(v, 1) && v["autoPace"] == "1"; });
    ASSERT_TRUE(Shows(state, 1)) << state["mode"] << " " << state["main.state"] << "\n" << velmar_e2e::LogTail(profile_);
    EXPECT_NE(state["main.state"].find("autopace:true"), std::string::npos);
    EXPECT_TRUE(ProfileBecomes("performance")) << ActiveProfile();
    state = DumpWhen([](State& v) { return v["tips.AUTO"].find("Now Turbo") != std::string::npos; });
    EXPECT_NE(state["tips.AUTO"].find("Auto: Turbo from 70 % load"), std::string::npos) << state["tips.AUTO"];

    // The load drops: Turbo is held for the dwell time, then Quiet follows.
    load.Hold(3);
    const auto dropped = std::chrono::steady_clock::now();
    state = DumpWhen([](State& v) { return Shows(v, 3); }, 80);
    const auto held = std::chrono::steady_clock::now() - dropped;
    ASSERT_TRUE(Shows(state, 3)) << state["mode"];
    // Turbo was chosen before the drop, so the wait can be a little shorter
    // than the dwell, never much: the dump that saw Turbo came after it.
    EXPECT_GE(held, std::chrono::seconds(kDwellSeconds - 2));
    EXPECT_TRUE(ProfileBecomes("power-saver")) << ActiveProfile();
    EXPECT_NE(state["main.state"].find("autopace:true"), std::string::npos);

    // A mode key ends automatic mode: the load rises again, Normal stays.
    ClickModeKey(2);
    state = DumpWhen([](State& v) { return Shows(v, 2) && v["autoPace"] == "0"; });
    ASSERT_EQ(state["autoPace"], "0");
    load.Hold(95);
    const auto checkedUntil = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < checkedUntil) {
        state = velmar_e2e::RequestDump(pid_, profile_);
        EXPECT_TRUE(Shows(state, 2)) << "automatic mode still chose " << state["mode"];
        std::this_thread::sleep_for(300ms);
    }
    EXPECT_EQ(ActiveProfile(), "balanced");
    EXPECT_EQ(Close(), 0);
    EXPECT_EQ(UserValue(kHostKey, "AutoPace"), "FALSE");
}

}  // namespace
}  // namespace modes_e2e
