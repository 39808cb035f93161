// For the test-only state dump: the dialogs and menus on screen, with the controls an
// end-to-end test reads and clicks (their text, state and centre on screen),
// and a picture of each.
#pragma once

#include <QString>

// One "[dialog.<name>]" section per visible dialog.
QString DescribeVisibleDialogs();
// Saves each visible dialog as "<base>.<name>.png".
void GrabVisibleDialogs(const QString& base);
