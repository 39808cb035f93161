#include "hwmon/ChipAccessor.h"

#include "hwmon/ChipResult.h"
#include "hwmon/PortClaim.h"

namespace hwmon {

CChipAccessor::CChipAccessor(IPortIo& port) : port_(port)
{
    CPortClaim claim(port_);
    initialBankResult_ = SelectBank(0);
}

int CChipAccessor::ReadRegister(std::uint8_t index, std::uint8_t& value)
{
    CPortClaim claim(port_);
    if (port_.OutPortB(kIndexPort, index) < 1) {
        return kPortWriteFailed;
    }
    std::uint8_t read = 0;
    const int result = port_.InPortB(kDataPort, &read);
    if (result < 1) {
        return kDataReadFailed;
    }
    value = read;
    return result;
}

int CChipAccessor::WriteRegister(std::uint8_t index, std::uint8_t value)
{
    CPortClaim claim(port_);
    if (port_.OutPortB(kIndexPort, index) < 1) {
        return kPortWriteFailed;
    }
    const int result = port_.OutPortB(kDataPort, value);
    return result < 1 ? kPortWriteFailed : result;
}

int CChipAccessor::UpdateRegister(std::uint8_t index, std::uint8_t mask, std::uint8_t bits)
{
    CPortClaim claim(port_);  // another program's write between read and write would be undone
    std::uint8_t value = 0;
    const int read = ReadRegister(index, value);
    if (read < 1) {
        return read;
    }
    return WriteRegister(index, static_cast<std::uint8_t>((value & ~mask) | (bits & mask)));
}

int CChipAccessor::SelectBank(int bank)
{
    return UpdateRegister(kBankSelectRegister, 0x07, static_cast<std::uint8_t>(bank & 7));
}

int CChipAccessor::ReadChipId(std::uint8_t& id)
{
    CPortClaim claim(port_);
    const int selected = SelectBank(0);
    if (selected < 1) {
        return selected;
    }
    return ReadRegister(kChipIdRegister, id);
}

}  // namespace hwmon
