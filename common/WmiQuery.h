// The small WMI helper the system-information collector reads board, BIOS,
// video and operating-system facts through: connect to a namespace, read one
// property of the first instance of a class, turn it into text, and name
// WBEM statuses for messages.
#pragma once

#include "MessageBox.h"
#include "WmiProvider.h"
#include "WmiVariant.h"

#include <cstdint>
#include <memory>
#include <string>

class CWmiQuery {
public:
    // Works on the process's provider and message box (SystemInfoPorts.h).
    CWmiQuery();
    // Works on the given ports, which must outlive the object.
    CWmiQuery(IWmiProvider& provider, IMessageBox& messages);
    virtual ~CWmiQuery();
    CWmiQuery(const CWmiQuery&) = delete;
    CWmiQuery& operator=(const CWmiQuery&) = delete;

    // There is no COM here: initialisation and process security are no-ops
    // that succeed. The failure messages "Failed to initialize OLE" and
    // "Failed to fix security" therefore cannot occur; the message port stays
    // for the enumeration failure below.
    bool InitializeComSecurity();
    // Drops an earlier connection, then connects; only kWbemNoError counts.
    bool Connect(const std::string& namespacePath);
    // The property of the first instance; empty when unconnected, when the
    // class has no instance or the property does not exist. A failed
    // enumeration shows its status name and gives empty too. origin, when
    // given, receives where the provider read the value.
    WmiVariant GetFirstInstanceProperty(const std::string& className, const std::string& propertyName,
                                        std::string* origin = nullptr);

    // "%d" for the integers, "%10.4f" for the floats, the text, "true" /
    // "false"; "NULL" for anything else.
    static std::string VariantToText(const WmiVariant& value);
    // The enumerator name of a WBEM status; other codes as lower-case hex.
    static std::string WbemErrorName(std::uint32_t status);

    // The namespace the collector reads.
    static constexpr const char* kDefaultNamespace = "\\\\.\\root\\cimv2";

private:
    IWmiProvider& provider_;
    IMessageBox& messages_;
    std::unique_ptr<IWmiServices> services_;
    bool comInitialised_ = false;
};

// One whole query: connect to the default namespace and read the property as
// text; "" when the connection fails, "NULL" when no value was read.
std::string WmiGetText(const std::string& className, const std::string& propertyName,
                       std::string* origin = nullptr);
std::string WmiGetText(IWmiProvider& provider, IMessageBox& messages, const std::string& className,
                       const std::string& propertyName, std::string* origin = nullptr);

// The same query as a value: unlike the text, it tells a missing value
// apart from a value that reads "NULL".
WmiVariant WmiGetValue(IWmiProvider& provider, IMessageBox& messages, const std::string& className,
                       const std::string& propertyName, bool& connected, std::string* origin = nullptr);
