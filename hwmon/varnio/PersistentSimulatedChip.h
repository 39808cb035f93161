// The simulated chip as processes see it: every access loads the state,
// advances the thermal model by the time elapsed since the last access, does
// the access and saves the result, all under the store's lock. No thread runs
// in the background, and a chip loaded by two processes one after the other
// behaves like one chip. A missing or garbled state, or a clock that went
// backwards (the machine restarted), means power-on.
#pragma once

#include <cstdint>
#include <string>

#include "hwmon/PortIo.h"
#include "hwmon/varnio/ChipStateStore.h"
#include "hwmon/varnio/MonotonicClock.h"
#include "hwmon/varnio/SimulatedChip.h"

namespace hwmon {

// After a long idle time the model only catches up this far: by then it sits
// at its equilibrium anyway, and an access never stalls on a huge backlog.
inline constexpr std::int64_t kMaxCatchUpTicks = 6000;

class CPersistentSimulatedChip : public IPortIo {
public:
    CPersistentSimulatedChip(IChipStateStore& store, const IMonotonicClock& clock, std::uint8_t chipId);

    int OutPortB(int port, int value) override;
    int InPortB(int port, std::uint8_t* value) override;

    // Switches the simulated cooler failure on or off, at the model time of
    // now: what happened before stays as it was.
    bool SetOverheat(bool on);

private:
    template <typename Access>
    int Transact(bool changesChip, Access access);
    SimulatedChipState LoadAdvanced(std::string& text);

    IChipStateStore& store_;
    const IMonotonicClock& clock_;
    std::uint8_t chipId_;
};

}  // namespace hwmon
