// hwmonctl --check: what stands between a user and working fans, and the
// commands that remove it. The facts are gathered from the machine
// (HwmonctlFacts.cpp); turning them into the text is plain logic, so every
// situation can be shown and tested without that machine.
#pragma once

#include <string>

#include "hwmon/varnio/BackendStatus.h"

struct CheckFacts {
    // The backend this process chose, and whether it reaches the chip now.
    hwmon::BackendStatus backend;
    bool backendStored = false;  // chosen by a stored "Backend", not by default

    // The kernel's w83627ehf driver.
    bool driverLoaded = false;
    std::string portsHeldBy;        // the driver /proc/ioports shows on 0x295-0x296
    bool driverFoundChip = false;   // it registered a hardware monitor
    bool driverBlacklisted = false;

    // The port service.
    bool serviceInstalled = false;  // its socket unit is where systemd looks
    bool socketEnabled = false;
    bool socketExists = false;
    std::string socketPath;
    hwmon::BackendStatus service;  // what the service answers, when its socket exists

    // The user and the group.
    bool root = false;
    std::string userName;
    bool groupExists = false;
    bool memberConfigured = false;  // /etc/group lists them
    bool memberNow = false;         // this session has the group

    // The board file the plug-ins read.
    std::string boardModel;   // as the firmware (or the override) names the board
    std::string boardFile;    // its path
    bool boardGeneric = false;  // the chip's generic file: the model has none of its own
    bool boardFileExists = false;
};

// The last line when nothing stands in the way.
inline constexpr const char* kCheckAllClear = "Nothing stands in the way";

std::string FormatCheck(const CheckFacts& facts);

// From this machine and this process.
CheckFacts GatherCheckFacts();
