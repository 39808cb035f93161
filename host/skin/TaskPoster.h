// Port: runs a task later, from the event loop, after the current event has
// been handled (a posted message on the original platform).
#pragma once

#include <functional>

class ITaskPoster {
public:
    virtual ~ITaskPoster() = default;
    virtual void Post(std::function<void()> task) = 0;
};
