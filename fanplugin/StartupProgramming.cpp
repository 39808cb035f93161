#include "fanplugin/StartupProgramming.h"

namespace zefan {

namespace {

hwmon::CFanController* FindByItemNo(FanControllerList& controllers, int itemNo)
{
    for (auto& controller : controllers) {
        if (controller->GetItemNo() == itemNo) {
            return controller.get();
        }
    }
    return nullptr;
}

bool ApplySettings(FanControllerList& controllers, std::span<const hwmon::FanItemRecord> items)
{
    bool programmedAny = false;
    for (const auto& item : items) {
        hwmon::CFanController* controller = FindByItemNo(controllers, item.itemNo);
        if (controller == nullptr) {
            return false;
        }
        // A fan the board leaves alone stays alone, unless these settings
        // switch it on: the user enabled it on the page, and leaving it out
        // would also let the next save overwrite that choice with the
        // board's.
        if (!controller->GetConfiguredItem().smartFanEnable && !item.smartFanEnable) {
            continue;
        }
        if (!controller->ProgramSettings(item)) {
            return false;
        }
        programmedAny = true;
    }
    return programmedAny;
}

}  // namespace

bool ApplyStoredSettings(FanControllerList& controllers, std::span<const hwmon::FanItemRecord> stored)
{
    return ApplySettings(controllers, stored);
}

bool ApplyConfiguredSettings(FanControllerList& controllers,
                             std::span<const hwmon::FanItemRecord> configured)
{
    return ApplySettings(controllers, configured);
}

bool ReprogramWorkingSettings(FanControllerList& controllers)
{
    bool all = true;
    for (auto& controller : controllers) {
        // Programming updates the working record step by step; it must not
        // read from what it writes.
        const hwmon::FanItemRecord working = controller->GetWorkingRecord();
        if (controller->GetConfiguredItem().smartFanEnable || working.smartFanEnable) {
            all = controller->ProgramSettings(working) && all;
        }
    }
    return all;
}

}  // namespace zefan
