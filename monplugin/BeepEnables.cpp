#include "monplugin/BeepEnables.h"

#include "hwmon/ChipAccessor.h"
#include "hwmon/ChipResult.h"
#include "hwmon/PortClaim.h"

namespace monitor {

int ProgramBeepEnables(hwmon::IPortIo& port, const std::vector<MonitorItem>& items)
{
    bool any = false;
    for (const MonitorItem& item : items) {
        any = any || HasBeepBit(item);
    }
    if (!any) {
        return hwmon::kNotApplicable;
    }
    const hwmon::CPortClaim claim(port);
    hwmon::CChipAccessor chip(port);
    hwmon::BeepEnables beep;
    const int result = hwmon::ReadBeepEnables(chip, beep);
    if (result < 1) {
        return result;
    }
    // Two items on one input: it beeps when either asks for it.
    for (const bool on : {false, true}) {
        for (const MonitorItem& item : items) {
            if (!HasBeepBit(item) || (on && !item.beepEnable)) {
                continue;
            }
            const hwmon::BeepBitPosition bit = *hwmon::BeepBitOf(item.input->code, item.input->bank);
            const auto mask = static_cast<std::uint8_t>(1u << bit.bit);
            std::uint8_t& byte = beep.bytes[bit.byte];
            byte = static_cast<std::uint8_t>(on ? byte | mask : byte & ~mask);
        }
    }
    return hwmon::WriteBeepEnables(chip, beep);
}

}  // namespace monitor
