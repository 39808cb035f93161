// The simulated chip as processes see it: every access loads the state,
// advances the thermal model by the time elapsed since the last access, does
// the access and saves the result, all under the store's lock. No thread runs
// in the background, and a chip loaded by two processes one after the other
// behaves like one chip. A missing or garbled state, or a clock that went
// backwards (the machine restarted), means power-on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "hwmon/PortIo.h"
#include "hwmon/varnio/ChipStateStore.h"
#include "hwmon/varnio/MonotonicClock.h"
#include "hwmon/varnio/SimulatedChip.h"

namespace hwmon {

// While a program holds its claim on the chip nobody else may touch it, so
// the chip can stay in memory for the whole claim: one load when it begins,
// one save when it ends, instead of both for every access (a claimed sensor
// scan is a hundred accesses). Model time stands still meanwhile; a claim
// lasts milliseconds.
class ISimulationSession {
public:
    virtual ~ISimulationSession() = default;
    // Locks the store and loads the chip; false when the store cannot be
    // locked (accesses then go through the store one by one, as without).
    virtual bool BeginSession() = 0;
    // Saves what changed and unlocks.
    virtual void EndSession() = 0;
};

// A session that only read leaves the file as it is, however much time it
// caught up: the next access catches up the same span to the same chip. Only
// the index register (which every access writes before it reads) is not kept
// then. The file is still brought forward once a minute, so catching up never
// meets its cap while programs only read.
inline constexpr std::int64_t kReadOnlySaveEveryNs = 60'000'000'000;

// After a long idle time the model only catches up this far: by then it sits
// at its equilibrium anyway, and an access never stalls on a huge backlog.
inline constexpr std::int64_t kMaxCatchUpTicks = 6000;

class CPersistentSimulatedChip : public IPortIo, public ISimulationSession {
public:
    CPersistentSimulatedChip(IChipStateStore& store, const IMonotonicClock& clock, std::uint8_t chipId);

    int OutPortB(int port, int value) override;
    int InPortB(int port, std::uint8_t* value) override;
    bool BeginSession() override;
    void EndSession() override;

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
    // The chip while a session holds the store, its text as loaded, and the
    // chip as it stood when the session began (time already caught up).
    std::optional<CSimulatedChip> session_;
    std::string sessionLoaded_;
    SimulatedChipState sessionStart_;
    int sessionDepth_ = 0;
    std::int64_t loadedClockNs_ = -1;  // the stored clock LoadAdvanced found; -1 at power-on
};

}  // namespace hwmon
