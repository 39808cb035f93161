// The WMI classes the system-information keys read, answered from sysfs:
//
//   Win32_BaseBoard.Product             class/dmi/id/board_name
//   Win32_BaseBoard.Manufacturer        class/dmi/id/board_vendor
//   Win32_Bios.Manufacturer             class/dmi/id/bios_vendor
//   Win32_Bios.ReleaseDate              class/dmi/id/bios_date (MM/DD/YYYY)
//                                       as YYYYMMDD000000.000000+000
//   Win32_VideoController.PNPDeviceID   the first PCI device of class 0x03
//                                       (display) under bus/pci/devices
//   Win32_OperatingSystem.CSDVersion    "" (no service packs here)
//
// Each class has one instance (the video controller one per display device,
// in device-name order, none without one). An attribute that is missing or
// unreadable gives a null property; only the namespace root\cimv2 exists and
// any other class is WBEM_E_INVALID_CLASS.
#pragma once

#include "WmiProvider.h"

#include <string>
#include <string_view>

class CSysfsWmiProvider : public IWmiProvider {
public:
    // root stands for /sys; tests give a folder of fake attribute files.
    explicit CSysfsWmiProvider(std::string root = "/sys");

    WmiStatus ConnectServer(const std::string& namespacePath, std::unique_ptr<IWmiServices>& services) override;

    const std::string& Root() const { return root_; }

private:
    std::string root_;
};

// MM/DD/YYYY as a WMI date-time; false for any other shape.
bool WmiDateTimeFromDmiDate(std::string_view dmiDate, std::string& dateTime);

// PCI\VEN_vvvv&DEV_dddd&SUBSYS_ssssyyyy&REV_rr\instance, hexadecimal in
// upper case; SUBSYS holds the subsystem device, then its vendor.
std::string PciPnpDeviceId(std::uint32_t vendor, std::uint32_t device, std::uint32_t subsystemVendor,
                           std::uint32_t subsystemDevice, std::uint32_t revision, std::string_view instance);
