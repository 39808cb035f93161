// Real port access to the chip, opened only when it is safe: the process may
// use the ports, no kernel driver holds them, and a W83627EHF-family chip
// answers behind them.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "hwmon/PortIo.h"
#include "hwmon/varnio/BackendChoice.h"
#include "hwmon/varnio/RawPorts.h"

namespace hwmon {

class CDirectPortBackend : public IPortIo {
public:
    explicit CDirectPortBackend(std::unique_ptr<IRawPorts> raw);

    int OutPortB(int port, int value) override;
    int InPortB(int port, std::uint8_t* value) override;

private:
    std::unique_ptr<IRawPorts> raw_;
};

// Null with the refusal set when any check fails; on success the opening
// names the chip.
std::unique_ptr<IPortIo> OpenDirectBackend(std::unique_ptr<IRawPorts> raw, std::string_view ioports,
                                           BackendOpening& opening);

}  // namespace hwmon
