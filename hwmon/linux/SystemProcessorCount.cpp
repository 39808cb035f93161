#include "hwmon/linux/SystemProcessorCount.h"

#include <unistd.h>

namespace hwmon {

int CSystemProcessorCount::ProcessorCount() const
{
    const long count = ::sysconf(_SC_NPROCESSORS_CONF);
    return count < 1 ? 1 : static_cast<int>(count);
}

}  // namespace hwmon
