// What a user must know about the port backend: which one it is, whether it
// reaches the chip now, and if not, why and what to do about it. About's
// second line, the start-up message, ZEFAN's page and hwmonctl all say it in
// these words.
#pragma once

#include <string>

namespace hwmon {

enum class BackendProblem {
    None,
    UnknownBackend,       // the stored backend is none we know
    BadSetting,           // a stored setting of the backend is invalid
    StateFile,            // the simulated chip's files cannot be made
    NoPortAccess,         // the direct backend may not use the ports (not root)
    DriverHoldsPorts,     // the kernel's w83627ehf driver owns the ports
    NoChip,               // nothing answers as a W83627EHF
    ChipBusy,             // another program keeps the chip (e.g. the service)
    ServiceNotRunning,    // nobody listens on the service's socket
    ServiceNotPermitted,  // the service does not serve this user
    ServiceVersion,       // the service speaks another protocol version
    ServiceFailed,        // the service broke off or answered nonsense
};

// A backend that could not be opened.
struct BackendRefusal {
    BackendProblem problem = BackendProblem::None;
    std::string summary;  // a few words for a status line
    std::string text;     // the whole story, for hwmonctl
};

enum class BackendState { Working, NotRunning, Refused };

struct BackendStatus {
    std::string backend;  // "service", "direct", "simulated", or the stored text
    BackendState state = BackendState::Refused;
    BackendProblem problem = BackendProblem::None;
    std::string summary;  // "W83627EHF id 0xA1", "not running", "refused, ..."
    bool simulated = false;

    bool Working() const { return state == BackendState::Working; }
    // About's second line: "service: W83627EHF id 0xA1".
    std::string Line() const { return backend + ": " + summary; }
};

// What the user can do about the problem, one or two sentences; empty for
// None.
std::string AdviceFor(BackendProblem problem);

// The message shown once at start (and on ZEFAN's page) when the backend
// cannot reach the chip: what is wrong, that settings cannot be applied, and
// what to do.
std::string UnreachableChipMessage(const BackendStatus& status);

}  // namespace hwmon
