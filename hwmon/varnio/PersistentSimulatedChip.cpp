#include "hwmon/varnio/PersistentSimulatedChip.h"

#include "hwmon/varnio/ThermalModel.h"

#include <string>

namespace hwmon {

CPersistentSimulatedChip::CPersistentSimulatedChip(IChipStateStore& store, const IMonotonicClock& clock,
                                                   std::uint8_t chipId)
    : store_(store), clock_(clock), chipId_(chipId)
{
}

SimulatedChipState CPersistentSimulatedChip::LoadAdvanced(std::string& text)
{
    const std::int64_t now = clock_.NowNanoseconds();
    text.clear();
    SimulatedChipState state;
    loadedClockNs_ = -1;
    if (!store_.Load(text) || !DecodeState(text, state) || now < state.clockNs) {
        state = PowerOnState(chipId_);
        state.clockNs = now;
        return state;
    }
    loadedClockNs_ = state.clockNs;
    // The chip id is a property of the configured chip, not of the file.
    state.banks[0][0x58] = chipId_;
    const std::int64_t elapsed = (now - state.clockNs) / kModelTickNs;
    if (elapsed > kMaxCatchUpTicks) {
        AdvanceThermalModel(state, kMaxCatchUpTicks);
        state.clockNs = now - (now - state.clockNs) % kModelTickNs;
    } else {
        AdvanceThermalModel(state, elapsed);
        state.clockNs += elapsed * kModelTickNs;
    }
    return state;
}

template <typename Access>
int CPersistentSimulatedChip::Transact(bool changesChip, Access access)
{
    if (session_) {
        return access(*session_);
    }
    if (!store_.Lock()) {
        return 0;
    }
    std::string stored;
    CSimulatedChip chip(LoadAdvanced(stored));
    int result = access(chip);
    const std::string after = EncodeState(chip.State());
    // A read within the same model tick changes nothing and needs no write;
    // one that advanced time is saved so the next access starts from here.
    if (after != stored) {
        if (!store_.Save(after) && changesChip) {
            result = 0;  // the chip did not keep the write
        }
    }
    store_.Unlock();
    return result;
}

int CPersistentSimulatedChip::OutPortB(int port, int value)
{
    if (!IsChipPort(port)) {
        return 0;
    }
    return Transact(true, [&](CSimulatedChip& chip) { return chip.OutPortB(port, value); });
}

bool CPersistentSimulatedChip::BeginSession()
{
    if (sessionDepth_++ > 0) {
        return session_.has_value();
    }
    if (!store_.Lock()) {
        return false;
    }
    sessionStart_ = LoadAdvanced(sessionLoaded_);
    session_.emplace(sessionStart_);
    return true;
}

void CPersistentSimulatedChip::EndSession()
{
    if (sessionDepth_ == 0 || --sessionDepth_ > 0 || !session_) {
        return;
    }
    SimulatedChipState read = session_->State();
    read.index = sessionStart_.index;
    const bool onlyRead = read == sessionStart_ && loadedClockNs_ >= 0 &&
                          sessionStart_.clockNs - loadedClockNs_ < kReadOnlySaveEveryNs;
    const std::string after = EncodeState(session_->State());
    if (!onlyRead && after != sessionLoaded_) {
        // A save that fails loses this claim's writes, as a failed save of
        // a single write would; the next access starts from the file.
        store_.Save(after);
    }
    session_.reset();
    store_.Unlock();
}

bool CPersistentSimulatedChip::SetOverheat(bool on)
{
    return Transact(true, [&](CSimulatedChip& chip) {
        chip.MutableState().overheat = on;
        return 1;
    }) == 1;
}

int CPersistentSimulatedChip::InPortB(int port, std::uint8_t* value)
{
    if (!IsChipPort(port) || value == nullptr) {
        return 0;
    }
    return Transact(false, [&](CSimulatedChip& chip) { return chip.InPortB(port, value); });
}

}  // namespace hwmon
