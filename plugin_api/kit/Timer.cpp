#include "plugin_api/kit/Timer.h"

#include <chrono>

namespace pluginkit {

std::int64_t CSteadyClock::NowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace pluginkit
