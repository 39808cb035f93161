// A W83627EHF register file behind the index/data protocol, in memory: a data
// access uses the last index written, 0x4E selects the bank in bits 2-0 and is
// the same register in every bank, banks 0-5 hold 256 registers each.
// Time passes only through Advance, so tests step the thermal model exactly.
#pragma once

#include <cstdint>

#include "hwmon/PortIo.h"
#include "hwmon/varnio/SimulatedChipState.h"

namespace hwmon {

class CSimulatedChip : public IPortIo {
public:
    enum class Fault { IndexWrite, DataWrite, DataRead };

    explicit CSimulatedChip(std::uint8_t chipId = 0xA1);
    explicit CSimulatedChip(const SimulatedChipState& state);

    // Any port other than 0x295/0x296 is refused with 0 and changes nothing.
    int OutPortB(int port, int value) override;
    int InPortB(int port, std::uint8_t* value) override;

    void Advance(std::int64_t ticks);

    const SimulatedChipState& State() const { return state_; }
    SimulatedChipState& MutableState() { return state_; }

    // Direct register access for tests, bypassing the protocol; bank 0x4E
    // reads the shared bank-select register.
    std::uint8_t Register(int bank, std::uint8_t index) const;
    void SetRegister(int bank, std::uint8_t index, std::uint8_t value);

    // Test-only: the n-th (from 1) next access of that kind fails with 0 and
    // has no effect. Each kind has one pending fault; 0 disarms it.
    void FailNth(Fault kind, int n);

private:
    bool TakeFault(Fault kind);
    std::uint8_t ReadData() const;
    void WriteData(std::uint8_t value);

    SimulatedChipState state_;
    int countdown_[3] = {0, 0, 0};
};

}  // namespace hwmon
