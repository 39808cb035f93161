// Where the simulated chip's state lives between accesses. Lock/Unlock bracket
// one load-modify-save so two processes never interleave inside it.
#pragma once

#include <string>

namespace hwmon {

class IChipStateStore {
public:
    virtual ~IChipStateStore() = default;
    virtual bool Lock() = 0;
    virtual void Unlock() = 0;
    // False when there is no state yet; the chip then powers on.
    virtual bool Load(std::string& text) = 0;
    // All or nothing: a reader sees the old or the new text, never a mix.
    virtual bool Save(const std::string& text) = 0;
    // Where the state is kept, for users.
    virtual std::string Describe() const = 0;
};

}  // namespace hwmon
