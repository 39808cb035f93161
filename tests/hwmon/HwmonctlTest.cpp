// hwmonctl end to end: separate processes on one simulated chip, through the
// real libvarnio.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "RegistryAccess.h"
#include "hwmon/varnio/BackendSettings.h"

namespace {

struct ToolRun {
    int exitCode = -1;
    std::string output;  // stdout and stderr
};

ToolRun Hwmonctl(const std::string& args)
{
    const std::string command = std::string(VELMAR_APP_DIR) + "/hwmonctl " + args + " 2>&1";
    ToolRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.output.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// Each test gets a fresh chip: a registry folder (and state file) of its own.
class HwmonctlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = std::getenv("VELMAR_REGISTRY_DIR");
        char pattern[] = "/tmp/hwmonctl-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
        ::setenv("VELMAR_REGISTRY_DIR", pattern, 1);
    }
    void TearDown() override
    {
        ::setenv("VELMAR_REGISTRY_DIR", saved_.c_str(), 1);
        std::filesystem::remove_all(dir_);
    }
    // In a child process: the store resolves its folder once per process,
    // and every test here has a folder of its own.
    void Store(const char* name, const char* value, const char* key = hwmon::kVarnioKey)
    {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            CRegistryAccess registry;
            const bool ok = registry.SetRootKey(HKEY_LOCAL_MACHINE) &&
                            registry.SetString(key, name, value);
            ::_exit(ok ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    std::string dir_;
    std::string saved_;
};

TEST_F(HwmonctlTest, BadArgumentsGetTheUsage)
{
    for (const char* args : {"--bogus", "--target 50", "--output CPUFANIN0", "--output CPUFANIN0 --target x",
                             "--output AUXFANIN1 --enable", "--output CPUFANIN0 --enable --disable",
                             "--seconds 2", "--watch --seconds 0", "--simulate-overheat", "--simulate-overheat hot",
                             "--simulate-overheat on --watch", "--simulate-reset --simulate-overheat off"}) {
        const ToolRun run = Hwmonctl(args);
        EXPECT_EQ(run.exitCode, 2) << args;
        EXPECT_NE(run.output.find("usage: hwmonctl"), std::string::npos) << args;
    }
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/varnio-sim.state"));  // the chip was never touched
}

TEST_F(HwmonctlTest, ReportShowsBackendChipSensorsAndOutputs)
{
    const ToolRun run = Hwmonctl("");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("backend: simulated (requested: simulated, the default)"), std::string::npos);
    EXPECT_NE(run.output.find("chip: W83627EHF/EHG (chip id 0xA1"), std::string::npos);
    for (const char* name : {"VCORE", "VIN4", "CPUTIN", "AUXTIN", "SYSTIN", "AUXFANIN1"}) {
        EXPECT_NE(run.output.find(name), std::string::npos) << name;
    }
    EXPECT_TRUE(std::regex_search(run.output, std::regex("CPUFANIN0 +manual +100%")));
}

TEST_F(HwmonctlTest, ReportNamesTheBoardFileTheOverrideOrTheGenericOne)
{
    const std::string folder = std::filesystem::canonical(VELMAR_APP_DIR).string() + "/";
    Store("MBModel", "SimulatedBoard", "SOFTWARE\\VARN\\SystemInfo");
    ToolRun run = Hwmonctl("");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("board file: " + folder + "SimulatedBoard.ini (board \"SimulatedBoard\")"),
              std::string::npos)
        << run.output;

    Store("MBModel", "No Such Board", "SOFTWARE\\VARN\\SystemInfo");
    run = Hwmonctl("");
    EXPECT_NE(run.output.find("board file: " + folder +
                              "Generic-W83627EHF.ini (generic: no board file for \"No Such Board\")"),
              std::string::npos)
        << run.output;
}

TEST_F(HwmonctlTest, ProgrammedOutputPersistsIntoTheNextProcess)
{
    ToolRun run = Hwmonctl("--output CPUFANIN1 --target 55 --tolerance 3 --start 60 --stop 30 --enable");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    run = Hwmonctl("");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(std::regex_search(run.output, std::regex("CPUFANIN1 +cruise +[0-9]+% +55 C +3 C +60% +30%")))
        << run.output;
    // The other CPU fan's tolerance is its own.
    EXPECT_TRUE(std::regex_search(run.output, std::regex("CPUFANIN0 +manual +100% +55 C +2 C"))) << run.output;
}

TEST_F(HwmonctlTest, RefusedValueWritesNothing)
{
    const ToolRun run = Hwmonctl("--output SYSFANIN --target 200");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("nothing written"), std::string::npos) << run.output;
    EXPECT_TRUE(std::regex_search(Hwmonctl("").output, std::regex("SYSFANIN +manual +100% +45 C")));
}

TEST_F(HwmonctlTest, WatchShowsTheDutyFollowingTheTemperature)
{
    // A target far below the processor's temperature makes the cruise step up.
    ASSERT_EQ(Hwmonctl("--output CPUFANIN0 --target 20 --tolerance 1 --start 30 --stop 20 --enable").exitCode, 0);
    const ToolRun run = Hwmonctl("--watch --seconds 3");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    std::vector<int> duties;
    const std::regex duty("CPUFANIN0 +([0-9]+)%");
    for (auto it = std::sregex_iterator(run.output.begin(), run.output.end(), duty); it != std::sregex_iterator();
         ++it) {
        duties.push_back(std::stoi((*it)[1]));
    }
    ASSERT_EQ(duties.size(), 3u) << run.output;
    EXPECT_GE(duties.front(), 30);
    EXPECT_GT(duties.back(), duties.front());
}

// The report without its readings, which move with time: what is left are
// registers only a write changes.
std::string Settings(const std::string& report)
{
    static const std::regex reading("^(  [A-Z0-9]+ +(voltage|temperature|fan) +)[-0-9.]+");
    std::string kept;
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
        kept += std::regex_replace(line, reading, "$1") + "\n";
    }
    return kept;
}

// Reports switch banks for every temperature they read, and Velmar's plug-in
// reads duties beside hwmonctl: programs working on the chip side by side
// must never catch each other between an index and its data, or between a
// bank switch and the access after it.
TEST_F(HwmonctlTest, ReportsBesideProgrammingLeaveEveryOtherRegisterAlone)
{
    const ToolRun before = Hwmonctl("");
    ASSERT_EQ(before.exitCode, 0) << before.output;
    const std::string readers = "for i in $(seq 12); do " + std::string(VELMAR_APP_DIR) +
                                "/hwmonctl >/dev/null 2>&1 || echo failed; done";
    FILE* first = ::popen(readers.c_str(), "r");
    FILE* second = ::popen(readers.c_str(), "r");
    ASSERT_TRUE(first != nullptr && second != nullptr);
    int target = 0;
    for (target = 30; target < 50; ++target) {
        const ToolRun run = Hwmonctl("--output SYSFANIN --target " + std::to_string(target));
        EXPECT_EQ(run.exitCode, 0) << run.output;
    }
    for (FILE* pipe : {first, second}) {
        char buffer[256];
        std::string said;
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            said += buffer;
        }
        EXPECT_EQ(said, "");
        ::pclose(pipe);
    }
    const ToolRun after = Hwmonctl("");
    ASSERT_EQ(after.exitCode, 0) << after.output;
    std::string expected = Settings(before.output);
    const std::string row = "SYSFANIN   manual   100%   45 C";
    ASSERT_NE(expected.find(row), std::string::npos) << expected;
    expected.replace(expected.find(row), row.size(), "SYSFANIN   manual   100%   " + std::to_string(target - 1) + " C");
    EXPECT_EQ(Settings(after.output), expected);
}

TEST_F(HwmonctlTest, RefusedBackendSaysWhy)
{
    Store(hwmon::kBackendValue, "parallel");
    const ToolRun run = Hwmonctl("");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("backend: none (requested: parallel)"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("unknown backend \"parallel\""), std::string::npos) << run.output;
}

TEST_F(HwmonctlTest, ConfiguredChipIdAndStateFile)
{
    const std::string state = dir_ + "/elsewhere.state";
    Store(hwmon::kChipIdValue, "0xC1");
    Store(hwmon::kStateFileValue, state.c_str());
    const ToolRun run = Hwmonctl("");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("W83627DHG (chip id 0xC1"), std::string::npos) << run.output;
    EXPECT_TRUE(std::filesystem::exists(state));
}

// The overheat knob lands in the chip every program shares, and keeps what
// the chip held: a fan programmed before is still programmed after.
TEST_F(HwmonctlTest, OverheatKnobReachesTheSharedChipAndKeepsItsSettings)
{
    ASSERT_EQ(Hwmonctl("--output CPUFANIN0 --target 33").exitCode, 0);
    const auto stateText = [&] {
        std::ifstream in(dir_ + "/varnio-sim.state");
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    ToolRun run = Hwmonctl("--simulate-overheat on");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("cooler has failed"), std::string::npos) << run.output;
    EXPECT_NE(stateText().find("overheat 1"), std::string::npos);
    EXPECT_TRUE(std::regex_search(Hwmonctl("").output, std::regex("CPUFANIN0 .*  33 C ")));

    run = Hwmonctl("--simulate-overheat off");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(stateText().find("overheat"), std::string::npos);

    // Only a simulated chip has a cooler to break.
    Store(hwmon::kBackendValue, "direct");
    run = Hwmonctl("--simulate-overheat on");
    EXPECT_EQ(run.exitCode, 1);
}

}  // namespace
