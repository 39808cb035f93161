// Port: the plain message box of user-visible failures ("Load XSL File
// Failed"). Modal; returns when dismissed. One declaration serves the whole
// program, so a file that needs both the skin engine and the system
// information collector sees a single IMessageBox.
#pragma once

#include "../../common/MessageBox.h"
