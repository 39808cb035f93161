// What the automatic mode tells people: its rules and its state, in the
// host's temperature unit (the "Auto" key's tip, the page, the document).
#pragma once

#include <string>

namespace autopace {

class CAutoPacer;
struct PaceSettings;

// A temperature point or width as shown: "70 °C" / "158 °F".
std::string ShownTemperature(double celsius, bool celsiusUnit, bool width = false);
// "Auto: Turbo from 70 % load or 70 °C, ..." and, while on, what it chose.
std::string AutoTip(const CAutoPacer& pacer, bool celsiusUnit);
// One or two sentences for the page: on or off, what it reads, what is missing.
std::string PaceStatus(const CAutoPacer& pacer, bool celsiusUnit);
// The data document: section AUTOPACE (item VARNAUTOPACE: STATE, MODE, LOAD,
// TEMP, STATUS) and section TIP (item AUTO, field TEXT).
std::string PaceDocument(const CAutoPacer& pacer, bool celsiusUnit);

}  // namespace autopace
