// What the plug-in tells people: what each mode does now (the keys' tips and
// the page), whether modes reach the system (the page and About), and the
// data document that carries these to the host.
#pragma once

#include <string>

namespace modes {

class CModeControl;

// "Quiet: power-saver profile", with what holds it back or replaces it.
std::string ModeTip(const CModeControl& control, int mode);
// One or two sentences for the top of the page.
std::string ConnectionStatus(const CModeControl& control);
// A few words for the About dialog's plug-in list.
std::string AboutState(const CModeControl& control);
// The data document: ABOUT, section MODE (item VARNOCCTRL: the mode shown,
// the active profile and the status; items MODE_0..MODE_6: name, profile and
// tip) and section TIP (items named by the skins' mode keys, field TEXT).
std::string ModeDocument(const CModeControl& control);

}  // namespace modes
