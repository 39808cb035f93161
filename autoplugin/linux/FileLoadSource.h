// The load counters from /proc/stat (or, for tests, a file in its format
// named in the automatic mode's settings).
#pragma once

#include <string>

#include "autoplugin/PaceSources.h"

namespace autopace {

class CFileLoadSource : public ILoadSource {
public:
    std::optional<CpuTimes> Read() override;
    void SetPath(const std::string& path) override { path_ = path; }

private:
    std::string path_ = kProcStatPath;
    static constexpr const char* kProcStatPath = "/proc/stat";
};

}  // namespace autopace
