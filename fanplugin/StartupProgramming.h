// Programming the chip when the plug-in starts: the user's stored settings
// where they cover the board, the board's configured settings otherwise.
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "hwmon/FanController.h"
#include "hwmon/FanItemRecord.h"

namespace zefan {

using FanControllerList = std::vector<std::unique_ptr<hwmon::CFanController>>;

// For each stored item, in order, the controller of the same item number
// takes the stored values if the board or the stored item enables its smart
// fan (a fan both leave off keeps the chip's values). False when an item has
// no controller, at the first chip error (values already written stay), or
// when no controller was programmed at all.
bool ApplyStoredSettings(FanControllerList& controllers, std::span<const hwmon::FanItemRecord> stored);

// The same with the board's own items.
bool ApplyConfiguredSettings(FanControllerList& controllers,
                             std::span<const hwmon::FanItemRecord> configured);

// Every controller's working settings (what was last programmed and stored)
// once more, for a chip whose registers the firmware reset on resume. Fans
// that neither the board nor the user switched on are left alone, as at
// start-up. False when a chip write failed (the others are still tried).
bool ReprogramWorkingSettings(FanControllerList& controllers);

}  // namespace zefan
