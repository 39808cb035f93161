// hwmonctl's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct HwmonctlOptions {
    bool help = false;
    std::string output;  // fan output to program; empty = none
    std::optional<int> target;
    std::optional<int> tolerance;
    std::optional<int> start;
    std::optional<int> stop;
    std::optional<bool> enable;
    int outputMode = 2;  // keep the output-mode bit unless told
    bool watch = false;
    std::optional<int> seconds;
    bool check = false;
    bool simulateReset = false;
    std::optional<bool> simulateOverheat;  // --simulate-overheat on|off
};

// Empty error = parsed.
HwmonctlOptions ParseHwmonctlOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const kHwmonctlUsage;
