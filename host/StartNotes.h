// What Velmar tells the user at start about its access to the fan chip:
// that running as root is not needed (and how to do without), and, once,
// that the chip cannot be reached and what to do, instead of letting the
// fan page accept values nothing applies.
#pragma once

#include <string>

#include "hwmon/varnio/BackendStatus.h"

struct StartNotes {
    std::string rootNote;     // stderr and a note that does not block; empty unless root
    std::string chipMessage;  // a message box; empty while the chip is reached
};

StartNotes NotesAtStart(bool runsAsRoot, const hwmon::BackendStatus& backend);
