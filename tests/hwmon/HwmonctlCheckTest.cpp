// hwmonctl --check on the situations a user meets between installing Velmar
// and working fans: each says what stands in the way and the commands that
// remove it, and the README shows the output of a fresh installation as it
// really is.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "HwmonctlCheck.h"

namespace {

using hwmon::BackendProblem;
using hwmon::BackendState;
using hwmon::BackendStatus;

// A machine right after "sudo cmake --install build": the kernel driver
// holds the chip, the service is installed but not enabled, the user is not
// in the group yet, and the board has no file of its own.
CheckFacts FreshInstallation()
{
    CheckFacts facts;
    facts.backend = {"simulated", BackendState::Working, BackendProblem::None, "W83627EHF id 0xA1, fans not real",
                     true};
    facts.driverLoaded = true;
    facts.portsHeldBy = "w83627ehf";
    facts.driverFoundChip = true;
    facts.serviceInstalled = true;
    facts.socketPath = "/run/velmar/portd.sock";
    facts.userName = "alice";
    facts.groupExists = true;
    facts.boardModel = "M2N-X";
    facts.boardFile = "/opt/velmar/Generic-W83627EHF.ini";
    facts.boardGeneric = true;
    facts.boardFileExists = true;
    return facts;
}

// After the three commands and a new login.
CheckFacts Working()
{
    CheckFacts facts = FreshInstallation();
    facts.driverLoaded = false;
    facts.portsHeldBy.clear();
    facts.driverFoundChip = false;
    facts.driverBlacklisted = true;
    facts.socketEnabled = facts.socketExists = true;
    facts.service = {"service", BackendState::Working, BackendProblem::None, "W83627EHF id 0xA1", false};
    facts.backend = facts.service;
    facts.memberConfigured = facts.memberNow = true;
    return facts;
}

std::string Steps(const std::string& text)
{
    const std::size_t at = text.find("What to run next:\n");
    return at == std::string::npos ? "" : text.substr(at);
}

TEST(HwmonctlCheckTest, TheReadmeShowsAFreshInstallationAsItIs)
{
    std::ifstream in(VELMAR_README);
    std::stringstream readme;
    readme << in.rdbuf();
    const std::string marker = "<!-- hwmonctl --check on a fresh installation -->\n```\n";
    const std::size_t start = readme.str().find(marker);
    ASSERT_NE(start, std::string::npos) << "README.md lost its real-hardware section";
    const std::size_t body = start + marker.size();
    const std::string shown = readme.str().substr(body, readme.str().find("```", body) - body);
    EXPECT_EQ(shown, "$ /opt/velmar/hwmonctl --check\n" + FormatCheck(FreshInstallation()));
}

TEST(HwmonctlCheckTest, EachObstacleNamesItsCommand)
{
    const std::string fresh = Steps(FormatCheck(FreshInstallation()));
    EXPECT_NE(fresh.find("1. echo 'blacklist w83627ehf' | sudo tee /etc/modprobe.d/velmar-w83627ehf.conf && "
                         "sudo modprobe -r w83627ehf\n"),
              std::string::npos)
        << fresh;
    EXPECT_NE(fresh.find("2. sudo systemctl enable --now velmar-portd.socket\n"), std::string::npos) << fresh;
    EXPECT_NE(fresh.find("3. sudo usermod -aG velmar $USER\nThen log out and in again"), std::string::npos) << fresh;

    const std::string working = FormatCheck(Working());
    EXPECT_EQ(Steps(working), "");
    EXPECT_NE(working.find("Nothing stands in the way: service: W83627EHF id 0xA1\n"), std::string::npos) << working;

    struct Case {
        const char* what;
        void (*change)(CheckFacts&);
        const char* expected;
    };
    const Case cases[] = {
        {"not installed", [](CheckFacts& f) { f.serviceInstalled = f.socketEnabled = f.socketExists = false; },
         "1. sudo cmake --install build"},
        {"installed, socket gone", [](CheckFacts& f) { f.socketExists = false; },
         "1. sudo systemctl restart velmar-portd.socket"},
        {"service answers nobody",
         [](CheckFacts& f) { f.service = {"service", BackendState::NotRunning, BackendProblem::ServiceNotRunning,
                                          "not running", false}; },
         "1. sudo systemctl restart velmar-portd.socket"},
        {"added, not logged in again", [](CheckFacts& f) { f.memberNow = false; },
         "Log out and in again (a session gets its groups"},
        {"the driver is back", [](CheckFacts& f) { f.driverLoaded = true; }, "1. sudo modprobe -r w83627ehf"},
        {"a stored backend passes the service by",
         [](CheckFacts& f) {
             f.backendStored = true;
             f.backend = {"direct", BackendState::Refused, BackendProblem::NoPortAccess,
                          "refused, no access to the ports", false};
         },
         "1. sudo varnreg delete 'HKLM\\SOFTWARE\\VARN\\VARNIO' Backend"},
    };
    for (const Case& c : cases) {
        CheckFacts facts = Working();
        c.change(facts);
        const std::string text = FormatCheck(facts);
        EXPECT_NE(text.find(c.expected), std::string::npos) << c.what << ":\n" << text;
        EXPECT_EQ(text.find(kCheckAllClear), std::string::npos) << c.what;
    }
}

}  // namespace
