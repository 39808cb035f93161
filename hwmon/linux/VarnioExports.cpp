// libvarnio's whole interface: the two port functions. The backend is chosen
// from the registry at the first call and kept for the life of the process.
#include <mutex>

#include "hwmon/Varnio.h"
#include "hwmon/linux/LinuxBackendFactory.h"

namespace {

struct Instance {
    std::mutex mutex;  // one index/data sequence step at a time per process
    hwmon::BackendChoice choice = hwmon::OpenConfiguredBackend();
};

Instance& TheInstance()
{
    static Instance instance;
    return instance;
}

}  // namespace

extern "C" VARNIO_API int OutPortB(int port, int value)
{
    try {
        Instance& instance = TheInstance();
        std::lock_guard lock(instance.mutex);
        return instance.choice.port->OutPortB(port, value) > 0 ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

extern "C" VARNIO_API int InPortB(int port, unsigned char* value)
{
    if (value == nullptr) {
        return 0;
    }
    try {
        Instance& instance = TheInstance();
        std::lock_guard lock(instance.mutex);
        return instance.choice.port->InPortB(port, value) > 0 ? 1 : 0;
    } catch (...) {
        return 0;
    }
}
