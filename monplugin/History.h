// The last five minutes of each item's readings, one sample per 5-second
// step, for the view's chart. Samples arrive about every 2 seconds; the
// first one of each step is kept, and a step that had none holds a gap, so
// the chart's time axis stays true when sampling paused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace monitor {

inline constexpr int kHistoryStepSeconds = 5;
inline constexpr std::size_t kHistorySamples = 60;

class CHistory {
public:
    using Row = std::deque<std::optional<int>>;

    // One value per item (none: no reading), whole units.
    void Record(std::int64_t nowMs, const std::vector<std::optional<double>>& values);
    // Oldest first; empty for an item never recorded.
    const Row& Samples(std::size_t item) const;

private:
    void Push(std::size_t item, std::optional<int> value);

    std::vector<Row> rows_;
    std::optional<std::int64_t> lastStep_;
};

}  // namespace monitor
