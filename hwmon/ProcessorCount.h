// How many processors the machine has; decides whether a second processor's
// fan is programmed at all.
#pragma once

namespace hwmon {

class IProcessorCount {
public:
    virtual ~IProcessorCount() = default;
    virtual int ProcessorCount() const = 0;
};

}  // namespace hwmon
