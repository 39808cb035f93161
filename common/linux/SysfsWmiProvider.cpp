#include "SysfsWmiProvider.h"

#include "SysfsAttribute.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

constexpr std::uint32_t kDisplayClass = 0x03;

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

WmiProperty TextAttribute(const std::string& name, const std::string& path)
{
    std::string text;
    WmiVariant value = ReadSysfsAttribute(path, text) ? WmiVariant::String(text) : WmiVariant::Null();
    return WmiProperty{name, value, path};
}

WmiObject BaseBoard(const std::string& dmi)
{
    return WmiObject{{TextAttribute("Product", dmi + "/board_name"),
                      TextAttribute("Manufacturer", dmi + "/board_vendor")}};
}

WmiObject Bios(const std::string& dmi)
{
    WmiProperty date{"ReleaseDate", WmiVariant::Null(), dmi + "/bios_date"};
    std::string text, dateTime;
    if (ReadSysfsAttribute(date.origin, text) && WmiDateTimeFromDmiDate(text, dateTime))
        date.value = WmiVariant::String(dateTime);
    return WmiObject{{TextAttribute("Manufacturer", dmi + "/bios_vendor"), date}};
}

std::vector<WmiObject> VideoControllers(const std::string& devicesFolder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(devicesFolder, error), end; !error && it != end;
         it.increment(error))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());

    std::vector<WmiObject> controllers;
    for (const std::string& name : names) {
        const std::string folder = devicesFolder + "/" + name;
        std::uint32_t pciClass = 0, vendor = 0, device = 0;
        if (!ReadSysfsHex(folder + "/class", pciClass) || (pciClass >> 16) != kDisplayClass) continue;
        // Without vendor and device there is no identifier to give.
        if (!ReadSysfsHex(folder + "/vendor", vendor) || !ReadSysfsHex(folder + "/device", device)) continue;
        // Devices without a subsystem or revision show zeros, as they do
        // in the platform's identifiers.
        std::uint32_t subVendor = 0, subDevice = 0, revision = 0;
        ReadSysfsHex(folder + "/subsystem_vendor", subVendor);
        ReadSysfsHex(folder + "/subsystem_device", subDevice);
        ReadSysfsHex(folder + "/revision", revision);
        controllers.push_back(WmiObject{{WmiProperty{
            "PNPDeviceID", WmiVariant::String(PciPnpDeviceId(vendor, device, subVendor, subDevice, revision, name)),
            folder}}});
    }
    return controllers;
}

class CSysfsWmiServices : public IWmiServices {
public:
    explicit CSysfsWmiServices(std::string root) : root_(std::move(root)) {}

    WmiStatus EnumerateInstances(const std::string& className, std::vector<WmiObject>& instances) override
    {
        const std::string dmi = root_ + "/class/dmi/id";
        instances.clear();
        if (SameName(className, "Win32_BaseBoard"))
            instances.push_back(BaseBoard(dmi));
        else if (SameName(className, "Win32_Bios"))
            instances.push_back(Bios(dmi));
        else if (SameName(className, "Win32_VideoController"))
            instances = VideoControllers(root_ + "/bus/pci/devices");
        else if (SameName(className, "Win32_OperatingSystem"))
            instances.push_back(WmiObject{{WmiProperty{"CSDVersion", WmiVariant::String(""), {}}}});
        else
            return kWbemInvalidClass;
        return kWbemNoError;
    }

private:
    std::string root_;
};

}  // namespace

CSysfsWmiProvider::CSysfsWmiProvider(std::string root) : root_(std::move(root)) {}

WmiStatus CSysfsWmiProvider::ConnectServer(const std::string& namespacePath,
                                           std::unique_ptr<IWmiServices>& services)
{
    if (!IsLocalCimv2Namespace(namespacePath)) return kWbemInvalidNamespace;
    services = std::make_unique<CSysfsWmiServices>(root_);
    return kWbemNoError;
}

bool WmiDateTimeFromDmiDate(std::string_view dmi, std::string& dateTime)
{
    auto digits = [&](std::size_t at, std::size_t count) {
        for (std::size_t i = at; i < at + count; ++i)
            if (!std::isdigit(static_cast<unsigned char>(dmi[i]))) return false;
        return true;
    };
    if (dmi.size() != 10 || dmi[2] != '/' || dmi[5] != '/' || !digits(0, 2) || !digits(3, 2) || !digits(6, 4))
        return false;
    dateTime = std::string(dmi.substr(6, 4)) + std::string(dmi.substr(0, 2)) + std::string(dmi.substr(3, 2)) +
               "000000.000000+000";
    return true;
}

std::string PciPnpDeviceId(std::uint32_t vendor, std::uint32_t device, std::uint32_t subsystemVendor,
                           std::uint32_t subsystemDevice, std::uint32_t revision, std::string_view instance)
{
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "PCI\\VEN_%04X&DEV_%04X&SUBSYS_%04X%04X&REV_%02X\\",
                  vendor & 0xFFFFu, device & 0xFFFFu, subsystemDevice & 0xFFFFu, subsystemVendor & 0xFFFFu,
                  revision & 0xFFu);
    return std::string(text.data()) + std::string(instance);
}
