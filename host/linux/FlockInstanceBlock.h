// The single-instance block as a file in the user's runtime folder, held
// under an exclusive flock by the first instance. The kernel drops the lock
// when that process ends in any way, so a crashed instance never blocks the
// next start; a leftover file without its lock counts as no instance.
#pragma once

#include <string>

#include "InstanceChecker.h"

class CFlockInstanceBlock : public IInstanceBlock {
public:
    // folder "": $XDG_RUNTIME_DIR, or /tmp when it is not set.
    explicit CFlockInstanceBlock(std::string folder = {});
    ~CFlockInstanceBlock() override;

    bool OpenExisting(const std::string& name) override;
    void CloseOpened() override;
    // The window id is stored as 8 bytes, little-endian.
    bool Create(const std::string& name, std::uint64_t windowId) override;
    bool CreatedHere(const std::string& name) const override;

    std::string PathOf(const std::string& name) const;
    static std::string DefaultFolder();

private:
    std::string folder_;
    int opened_ = -1;
};
