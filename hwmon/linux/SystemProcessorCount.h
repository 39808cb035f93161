// The machine's configured processors, from sysconf.
#pragma once

#include "hwmon/ProcessorCount.h"

namespace hwmon {

class CSystemProcessorCount : public IProcessorCount {
public:
    int ProcessorCount() const override;
};

}  // namespace hwmon
