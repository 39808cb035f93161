#include "LinuxProcessAffinity.h"

#include <sched.h>

bool CLinuxProcessAffinity::SetMask(std::uint64_t mask) {
    cpu_set_t set;
    CPU_ZERO(&set);
    for (int cpu = 0; cpu < 64; ++cpu)
        if (mask & (std::uint64_t{1} << cpu)) CPU_SET(cpu, &set);
    return sched_setaffinity(0, sizeof set, &set) == 0;
}
