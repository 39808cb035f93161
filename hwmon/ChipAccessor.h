// The chip's banked register file reached through the index/data pair. The
// accessor keeps no state besides the port: every higher operation selects
// the bank its registers live in and never restores the previous one, under
// a claim on the port (CPortClaim) so no other program switches it between.
#pragma once

#include <cstdint>

#include "hwmon/PortIo.h"

namespace hwmon {

inline constexpr std::uint8_t kBankSelectRegister = 0x4E;
inline constexpr std::uint8_t kVendorIdRegister = 0x4F;
inline constexpr std::uint8_t kChipIdRegister = 0x58;  // bank 0

class CChipAccessor {
public:
    // Selects bank 0, as the chip layer expects a fresh accessor to start
    // there; the outcome is kept for callers that care.
    explicit CChipAccessor(IPortIo& port);

    int InitialBankResult() const { return initialBankResult_; }
    // For the claim around a whole operation (CPortClaim).
    IPortIo& Port() { return port_; }

    // On a failed data read (-8) value keeps what it held.
    int ReadRegister(std::uint8_t index, std::uint8_t& value);
    int WriteRegister(std::uint8_t index, std::uint8_t value);
    // Replaces only the bits of mask with those of bits; a failure anywhere
    // leaves the register as it was.
    int UpdateRegister(std::uint8_t index, std::uint8_t mask, std::uint8_t bits);
    // Keeps bits 7-3 of the bank-select register.
    int SelectBank(int bank);
    int ReadChipId(std::uint8_t& id);

private:
    IPortIo& port_;
    int initialBankResult_;
};

}  // namespace hwmon
