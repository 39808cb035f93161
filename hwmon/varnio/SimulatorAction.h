// What a user (or a test, or the demo) can do to the simulated chip that no
// register write does: put it back to power-on, as a board's firmware does on
// resume, or make its processor overheat and recover.
#pragma once

namespace hwmon {

enum class SimulatorAction { PowerOn, OverheatOn, OverheatOff };

}  // namespace hwmon
