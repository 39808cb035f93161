// Shows the start-up notes about the fan chip's access: the root note on
// stderr and in a note window that neither blocks nor takes the focus, the
// unreachable chip in a message box before the main window appears.
#pragma once

#include <QString>

#include "StartNotes.h"

void ShowStartNotes(const StartNotes& notes, const QString& caption);
