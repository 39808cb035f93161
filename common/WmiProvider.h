// What answers WMI-shaped questions: a namespace is opened, the instances of
// a class are listed, each a set of named properties. Statuses are WBEM
// status codes so that messages name the failures by their usual names.
#pragma once

#include "WmiVariant.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using WmiStatus = std::uint32_t;

constexpr WmiStatus kWbemNoError = 0;
constexpr WmiStatus kWbemFailed = 0x80041001;
constexpr WmiStatus kWbemNotFound = 0x80041002;
constexpr WmiStatus kWbemInvalidNamespace = 0x8004100E;
constexpr WmiStatus kWbemInvalidClass = 0x80041010;

struct WmiProperty {
    std::string name;
    WmiVariant value;
    // Where the value came from, for people checking what was detected
    // (e.g. "/sys/class/dmi/id/board_name"); may be empty.
    std::string origin;
};

struct WmiObject {
    std::vector<WmiProperty> properties;

    // Property names compare case-insensitively, as WMI's do; null when absent.
    const WmiProperty* Find(const std::string& name) const;
};

// A connected namespace.
class IWmiServices {
public:
    virtual ~IWmiServices() = default;
    // Fills instances (possibly none) and returns kWbemNoError, or returns a
    // failure status such as kWbemInvalidClass.
    virtual WmiStatus EnumerateInstances(const std::string& className, std::vector<WmiObject>& instances) = 0;
};

class IWmiProvider {
public:
    virtual ~IWmiProvider() = default;
    // kWbemNoError and services, or a failure status and services left null.
    virtual WmiStatus ConnectServer(const std::string& namespacePath, std::unique_ptr<IWmiServices>& services) = 0;
};

// "\\\\.\\root\\cimv2", "root\\cimv2" and "//./root/cimv2" all name the
// local default namespace; case does not matter.
bool IsLocalCimv2Namespace(const std::string& namespacePath);
