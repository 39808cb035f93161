#include "hwmon/linux/IopermPorts.h"

#include <cerrno>
#include <cstring>

#include "hwmon/PortIo.h"

#if defined(__x86_64__) || defined(__i386__)
#include <sys/io.h>
#define VARNIO_HAVE_PORT_IO 1
#endif

namespace hwmon {

bool CIopermPorts::Acquire(std::string& why)
{
#ifdef VARNIO_HAVE_PORT_IO
    if (::ioperm(kIndexPort, 2, 1) != 0) {
        const int error = errno;
        why = std::string("ioperm: ") + std::strerror(error);
        if (error == EPERM) {
            why += " (direct access needs root or the CAP_SYS_RAWIO capability)";
        }
        return false;
    }
    granted_ = true;
    return true;
#else
    why = "this processor architecture has no I/O ports";
    return false;
#endif
}

std::uint8_t CIopermPorts::In(int port)
{
#ifdef VARNIO_HAVE_PORT_IO
    if (granted_ && IsChipPort(port)) {
        return ::inb(static_cast<unsigned short>(port));
    }
#else
    (void)port;
#endif
    return 0xFF;
}

void CIopermPorts::Out(int port, std::uint8_t value)
{
#ifdef VARNIO_HAVE_PORT_IO
    if (granted_ && IsChipPort(port)) {
        ::outb(value, static_cast<unsigned short>(port));
    }
#else
    (void)port;
    (void)value;
#endif
}

}  // namespace hwmon
