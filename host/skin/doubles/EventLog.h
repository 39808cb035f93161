// The order in which test doubles were used, as readable lines, so a test
// can check that one port was used before another.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

struct CEventLog {
    std::vector<std::string> lines;

    void Add(std::string line) { lines.push_back(std::move(line)); }
    // Position of the first line starting with prefix; -1 when none.
    int IndexOf(const std::string& prefix) const {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
        return -1;
    }
    int Count(const std::string& prefix) const {
        return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
            return l.rfind(prefix, 0) == 0;
        }));
    }
};
