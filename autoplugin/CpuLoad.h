// Processor load from the kernel's cumulative counters (/proc/stat's first
// "cpu" line): the share of time not idle between two readings.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace autopace {

struct CpuTimes {
    std::uint64_t busy = 0;
    std::uint64_t total = 0;
};

// The summary line "cpu  user nice system idle iowait irq softirq steal ...";
// idle and iowait count as idle. nullopt when there is no such line or it
// has fewer than four numbers.
std::optional<CpuTimes> ParseProcStat(std::string_view text);

// Whole percent busy from before to after; nullopt when the counters did not
// move forward consistently (a reset, a wrap, a different machine's file).
std::optional<int> LoadPercent(const CpuTimes& before, const CpuTimes& after);

}  // namespace autopace
