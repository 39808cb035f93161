// The simulated chip's state file. Writes go to a temporary file that is then
// renamed over the state, under an flock on a separate lock file (a lock on
// the state file itself would be lost with every rename), so two processes
// never see or make a half-written state. No fsync: a state lost to a crash
// is a power-on, just as a real chip's registers are.
#pragma once

#include <string>

#include "hwmon/varnio/ChipStateStore.h"

namespace hwmon {

class CStateFile : public IChipStateStore {
public:
    explicit CStateFile(std::string path);
    ~CStateFile() override;
    CStateFile(const CStateFile&) = delete;
    CStateFile& operator=(const CStateFile&) = delete;

    bool Lock() override;
    void Unlock() override;
    bool Load(std::string& text) override;
    bool Save(const std::string& text) override;
    std::string Describe() const override { return path_; }

private:
    std::string path_;
    int lockFd_ = -1;
};

}  // namespace hwmon
