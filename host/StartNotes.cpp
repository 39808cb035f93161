#include "StartNotes.h"

StartNotes NotesAtStart(bool runsAsRoot, const hwmon::BackendStatus& backend)
{
    StartNotes notes;
    if (runsAsRoot) {
        notes.rootNote =
            "Velmar does not need to run as root: the port service velmar-portd gives the members of the group "
            "velmar access to the fan chip, and nothing that draws needs more. Set it up once with "
            "sudo usermod -aG velmar $USER and sudo systemctl enable --now velmar-portd.socket, log in again and "
            "start Velmar as yourself; hwmonctl --check says what is still missing.";
    }
    if (!backend.Working()) {
        notes.chipMessage = hwmon::UnreachableChipMessage(backend);
    }
    return notes;
}
