// What Velmar says at start about its access to the chip: nothing when all
// is well, that root is not needed, and an unreachable chip with what to do.
#include <gtest/gtest.h>

#include "StartNotes.h"

namespace {

using hwmon::BackendProblem;
using hwmon::BackendState;
using hwmon::BackendStatus;

TEST(StartNotesTest, RootAndAnUnreachableChipAreToldWithWhatToDo)
{
    const BackendStatus working{"service", BackendState::Working, BackendProblem::None, "W83627EHF id 0xA1", false};
    EXPECT_EQ(NotesAtStart(false, working).rootNote, "");
    EXPECT_EQ(NotesAtStart(false, working).chipMessage, "");
    const StartNotes root = NotesAtStart(true, working);
    EXPECT_NE(root.rootNote.find("does not need to run as root"), std::string::npos);
    EXPECT_NE(root.rootNote.find("systemctl enable --now velmar-portd.socket"), std::string::npos);
    EXPECT_EQ(root.chipMessage, "");

    struct Case {
        BackendStatus status;
        const char* advice;
    };
    const Case cases[] = {
        {{"service", BackendState::NotRunning, BackendProblem::ServiceNotRunning, "not running", false},
         "systemctl enable --now velmar-portd.socket"},
        {{"service", BackendState::Refused, BackendProblem::ServiceNotPermitted, "refused, ...", false},
         "usermod -aG velmar"},
        {{"direct", BackendState::Refused, BackendProblem::DriverHoldsPorts,
          "refused, the kernel driver w83627ehf holds the ports", false},
         "blacklist w83627ehf"},
    };
    for (const Case& c : cases) {
        const std::string message = NotesAtStart(false, c.status).chipMessage;
        EXPECT_NE(message.find("(" + c.status.Line() + ")"), std::string::npos) << message;
        EXPECT_NE(message.find(c.advice), std::string::npos) << message;
    }
}

}  // namespace
