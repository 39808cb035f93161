#include "monplugin/History.h"

#include <algorithm>
#include <cmath>

namespace monitor {

void CHistory::Record(std::int64_t nowMs, const std::vector<std::optional<double>>& values)
{
    const std::int64_t step = nowMs / (kHistoryStepSeconds * 1000);
    if (lastStep_ && step <= *lastStep_) {
        return;
    }
    if (rows_.size() < values.size()) {
        rows_.resize(values.size());
    }
    // Steps with no sample in between, at most a whole chart of them.
    const std::int64_t gaps =
        lastStep_ ? std::min<std::int64_t>(step - *lastStep_ - 1, static_cast<std::int64_t>(kHistorySamples)) : 0;
    for (std::size_t item = 0; item < rows_.size(); ++item) {
        for (std::int64_t gap = 0; gap < gaps; ++gap) {
            Push(item, std::nullopt);
        }
        const bool known = item < values.size() && values[item].has_value();
        Push(item, known ? std::optional<int>(static_cast<int>(std::lround(*values[item]))) : std::nullopt);
    }
    lastStep_ = step;
}

const CHistory::Row& CHistory::Samples(std::size_t item) const
{
    static const Row kNone;
    return item < rows_.size() ? rows_[item] : kNone;
}

void CHistory::Push(std::size_t item, std::optional<int> value)
{
    Row& row = rows_[item];
    row.push_back(value);
    while (row.size() > kHistorySamples) {
        row.pop_front();
    }
}

}  // namespace monitor
