#include "autoplugin/CpuLoad.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace autopace {

std::optional<CpuTimes> ParseProcStat(std::string_view text)
{
    // Only the summary line, which comes first; "cpu0" lines are per core.
    constexpr std::string_view kSummary = "cpu ";
    if (!text.starts_with(kSummary)) {
        return std::nullopt;
    }
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(kSummary.size(), end == std::string_view::npos ? text.npos : end - kSummary.size());
    std::vector<std::uint64_t> fields;
    while (!line.empty() && fields.size() < 10) {
        while (!line.empty() && line.front() == ' ') {
            line.remove_prefix(1);
        }
        if (line.empty()) {
            break;
        }
        std::uint64_t value = 0;
        const auto [next, error] = std::from_chars(line.data(), line.data() + line.size(), value);
        if (error != std::errc() || (next != line.data() + line.size() && *next != ' ')) {
            return std::nullopt;
        }
        fields.push_back(value);
        line.remove_prefix(static_cast<std::size_t>(next - line.data()));
    }
    if (fields.size() < 4) {
        return std::nullopt;
    }
    // guest and guest_nice (fields 9 and 10) are already inside user and nice.
    const std::size_t counted = std::min<std::size_t>(fields.size(), 8);
    CpuTimes times;
    for (std::size_t i = 0; i < counted; ++i) {
        times.total += fields[i];
    }
    const std::uint64_t idle = fields[3] + (fields.size() > 4 ? fields[4] : 0);
    times.busy = times.total - idle;
    return times;
}

std::optional<int> LoadPercent(const CpuTimes& before, const CpuTimes& after)
{
    if (after.total <= before.total || after.busy < before.busy) {
        return std::nullopt;
    }
    const std::uint64_t total = after.total - before.total;
    const std::uint64_t busy = after.busy - before.busy;
    if (busy > total) {
        return std::nullopt;
    }
    return static_cast<int>((busy * 100 + total / 2) / total);
}

}  // namespace autopace
