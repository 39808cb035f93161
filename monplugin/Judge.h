// Whether an item is in warning. A reading that sits on a limit and wobbles
// by a step must not switch the warning on and off every sample, so a
// warning clears only once the reading is back by a margin:
//   - a temperature warns above its high limit and clears at or below
//     min(low limit, high limit - 2 degrees), the chip's own rule with a
//     floor for a low limit set on the high one;
//   - a voltage or fan speed warns outside [low, high] and clears once back
//     inside by a margin: 2 % of the limit and at least two steps of the
//     input for volts, 5 % and at least 50 rpm for fans, never more than
//     half the window (so a narrow window still has an inside).
#pragma once

#include <optional>
#include <string>

#include "monplugin/MonitorItem.h"
#include "monplugin/Sampler.h"

namespace monitor {

enum class ItemState { Ok, High, Low, Unwatched, Unavailable };

inline constexpr double kTemperatureClearDegrees = 2.0;

inline bool InWarning(ItemState state) { return state == ItemState::High || state == ItemState::Low; }

struct Verdict {
    ItemState state = ItemState::Unavailable;
    std::string note;  // why it is unavailable; "" otherwise
};

// An item as the last sample left it.
struct ItemStatus {
    Verdict verdict;
    std::optional<double> value;  // none: no reading
};

// The limits rule alone, for a watched item with a reading.
ItemState JudgeValue(const MonitorItem& item, double value, ItemState previous);

// How far back inside a limit a voltage or fan reading must come.
double ClearMargin(const MonitorItem& item, double limit);

// The whole verdict: configuration problems and failed readings first, then
// "Enable", then the limits.
Verdict Judge(const MonitorItem& item, const Reading& reading, ItemState previous);

}  // namespace monitor
