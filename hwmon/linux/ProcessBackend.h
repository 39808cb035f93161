// The process's one port backend, in libvarnio_backend.so: libvarnio's two
// exports, the claims of every CVarnioPort, the status Velmar and ZEFAN show
// and hwmonctl's report all reach the same backend instance, chosen from
// the machine-wide store at the first use. So About names the backend that
// is working in this process, and a claim on the port service is held on
// the very connection the accesses use.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "hwmon/ClaimLock.h"
#include "hwmon/varnio/BackendChoice.h"
#include "hwmon/varnio/BackendStatus.h"
#include "hwmon/varnio/SimulatorAction.h"

#define VARNIO_BACKEND_API __attribute__((visibility("default")))

namespace hwmon {

// Both as libvarnio's exports answer: 1 on success, 0 on failure.
VARNIO_BACKEND_API int ProcessOutPortB(int port, int value);
VARNIO_BACKEND_API int ProcessInPortB(int port, std::uint8_t* value);

struct ProcessClaimLock {
    std::unique_ptr<IClaimLock> lock;
    // How long a claim waits for another holder: longer on the service,
    // whose holders may keep the chip for a whole lease.
    std::chrono::milliseconds patience;
};
// A claim lock of its own for one CVarnioPort.
VARNIO_BACKEND_API ProcessClaimLock ProcessNewClaimLock();

// What was chosen and why (for hwmonctl), and the status now.
VARNIO_BACKEND_API BackendReport ProcessBackendReport();
VARNIO_BACKEND_API BackendStatus ProcessBackendStatus();

// The simulated chip (here or in the service) back to its power-on values,
// or its processor overheating or recovering; a real chip is never touched.
VARNIO_BACKEND_API bool ProcessApplySimulatorAction(SimulatorAction action, std::string& why);

}  // namespace hwmon
