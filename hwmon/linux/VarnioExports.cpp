// libvarnio's whole interface: the two port functions, answered by the
// process's one backend (ProcessBackend.h), chosen from the registry at the
// first call and kept for the life of the process.
#include "hwmon/Varnio.h"
#include "hwmon/linux/ProcessBackend.h"

extern "C" VARNIO_API int OutPortB(int port, int value)
{
    try {
        return hwmon::ProcessOutPortB(port, value);
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
        return hwmon::ProcessInPortB(port, value);
    } catch (...) {
        return 0;
    }
}
