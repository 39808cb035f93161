#include "WmiQuery.h"

#include "SystemInfoPorts.h"

#include <array>
#include <cstdio>
#include <utility>

namespace {

struct StatusName {
    std::uint32_t status;
    const char* name;
};

// The published WBEM status enumeration: the success codes the helper names
// and every error from WBEM_E_FAILED to WBEM_E_CANNOT_BE_SINGLETON.
constexpr std::array<StatusName, 50> kStatusNames{{
    {0x00000000, "WBEM_NO_ERROR"},
    {0x00000001, "WBEM_S_FALSE"},
    {0x00040001, "WBEM_S_ALREADY_EXISTS"},
    {0x00040002, "WBEM_S_RESET_TO_DEFAULT"},
    {0x00040003, "WBEM_S_DIFFERENT"},
    {0x00040005, "WBEM_S_NO_MORE_DATA"},
    {0x80041001, "WBEM_E_FAILED"},
    {0x80041002, "WBEM_E_NOT_FOUND"},
    {0x80041003, "WBEM_E_ACCESS_DENIED"},
    {0x80041004, "WBEM_E_PROVIDER_FAILURE"},
    {0x80041005, "WBEM_E_TYPE_MISMATCH"},
    {0x80041006, "WBEM_E_OUT_OF_MEMORY"},
    {0x80041007, "WBEM_E_INVALID_CONTEXT"},
    {0x80041008, "WBEM_E_INVALID_PARAMETER"},
    {0x80041009, "WBEM_E_NOT_AVAILABLE"},
    {0x8004100A, "WBEM_E_CRITICAL_ERROR"},
    {0x8004100B, "WBEM_E_INVALID_STREAM"},
    {0x8004100C, "WBEM_E_NOT_SUPPORTED"},
    {0x8004100D, "WBEM_E_INVALID_SUPERCLASS"},
    {0x8004100E, "WBEM_E_INVALID_NAMESPACE"},
    {0x8004100F, "WBEM_E_INVALID_OBJECT"},
    {0x80041010, "WBEM_E_INVALID_CLASS"},
    {0x80041011, "WBEM_E_PROVIDER_NOT_FOUND"},
    {0x80041012, "WBEM_E_INVALID_PROVIDER_REGISTRATION"},
    {0x80041013, "WBEM_E_PROVIDER_LOAD_FAILURE"},
    {0x80041014, "WBEM_E_INITIALIZATION_FAILURE"},
    {0x80041015, "WBEM_E_TRANSPORT_FAILURE"},
    {0x80041016, "WBEM_E_INVALID_OPERATION"},
    {0x80041017, "WBEM_E_INVALID_QUERY"},
    {0x80041018, "WBEM_E_INVALID_QUERY_TYPE"},
    {0x80041019, "WBEM_E_ALREADY_EXISTS"},
    {0x8004101A, "WBEM_E_OVERRIDE_NOT_ALLOWED"},
    {0x8004101B, "WBEM_E_PROPAGATED_QUALIFIER"},
    {0x8004101C, "WBEM_E_PROPAGATED_PROPERTY"},
    {0x8004101D, "WBEM_E_UNEXPECTED"},
    {0x8004101E, "WBEM_E_ILLEGAL_OPERATION"},
    {0x8004101F, "WBEM_E_CANNOT_BE_KEY"},
    {0x80041020, "WBEM_E_INCOMPLETE_CLASS"},
    {0x80041021, "WBEM_E_INVALID_SYNTAX"},
    {0x80041022, "WBEM_E_NONDECORATED_OBJECT"},
    {0x80041023, "WBEM_E_READ_ONLY"},
    {0x80041024, "WBEM_E_PROVIDER_NOT_CAPABLE"},
    {0x80041025, "WBEM_E_CLASS_HAS_CHILDREN"},
    {0x80041026, "WBEM_E_CLASS_HAS_INSTANCES"},
    {0x80041027, "WBEM_E_QUERY_NOT_IMPLEMENTED"},
    {0x80041028, "WBEM_E_ILLEGAL_NULL"},
    {0x80041029, "WBEM_E_INVALID_QUALIFIER_TYPE"},
    {0x8004102A, "WBEM_E_INVALID_PROPERTY_TYPE"},
    {0x8004102B, "WBEM_E_VALUE_OUT_OF_RANGE"},
    {0x8004102C, "WBEM_E_CANNOT_BE_SINGLETON"},
}};

std::string Printf(const char* format, auto... args)
{
    int length = std::snprintf(nullptr, 0, format, args...);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

}  // namespace

CWmiQuery::CWmiQuery() : CWmiQuery(*ProcessSystemInfoPorts().wmi, *ProcessSystemInfoPorts().messages) {}

CWmiQuery::CWmiQuery(IWmiProvider& provider, IMessageBox& messages) : provider_(provider), messages_(messages) {}

CWmiQuery::~CWmiQuery()
{
    services_.reset();
    // Where COM exists, each successful initialisation is undone exactly
    // once here; there is nothing to undo without it.
    comInitialised_ = false;
}

bool CWmiQuery::InitializeComSecurity()
{
    // No COM apartment and no process security to set: the steps are no-ops.
    comInitialised_ = true;
    return true;
}

bool CWmiQuery::Connect(const std::string& namespacePath)
{
    services_.reset();
    std::unique_ptr<IWmiServices> services;
    WmiStatus status = provider_.ConnectServer(namespacePath, services);
    if (status != kWbemNoError || !services) return false;
    // Proxy security has no counterpart without COM.
    services_ = std::move(services);
    return true;
}

WmiVariant CWmiQuery::GetFirstInstanceProperty(const std::string& className, const std::string& propertyName,
                                               std::string* origin)
{
    if (!services_) return {};
    std::vector<WmiObject> instances;
    WmiStatus status = services_->EnumerateInstances(className, instances);
    if (status != kWbemNoError) {
        messages_.Show(WbemErrorName(status));
        return {};
    }
    if (instances.empty()) return {};
    const WmiProperty* property = instances.front().Find(propertyName);
    if (!property) return {};
    if (origin) *origin = property->origin;
    return property->value;
}

std::string CWmiQuery::VariantToText(const WmiVariant& value)
{
    using Type = WmiVariant::Type;
    switch (value.type) {
    case Type::Int16:
    case Type::Int32:
    case Type::UInt8:
        return Printf("%d", static_cast<int>(value.integer));
    case Type::Float:
    case Type::Double:
        return Printf("%10.4f", value.real);
    case Type::String:
        return value.text;
    case Type::Bool:
        return value.boolean ? "true" : "false";
    case Type::Empty:
    case Type::Null:
    case Type::Other:
        break;
    }
    return "NULL";
}

std::string CWmiQuery::WbemErrorName(std::uint32_t status)
{
    for (const StatusName& entry : kStatusNames)
        if (entry.status == status) return entry.name;
    return Printf("%x", static_cast<unsigned>(status));
}

WmiVariant WmiGetValue(IWmiProvider& provider, IMessageBox& messages, const std::string& className,
                       const std::string& propertyName, bool& connected, std::string* origin)
{
    CWmiQuery query(provider, messages);
    query.InitializeComSecurity();
    connected = query.Connect(CWmiQuery::kDefaultNamespace);
    if (!connected) return {};
    return query.GetFirstInstanceProperty(className, propertyName, origin);
}

std::string WmiGetText(IWmiProvider& provider, IMessageBox& messages, const std::string& className,
                       const std::string& propertyName, std::string* origin)
{
    bool connected = false;
    WmiVariant value = WmiGetValue(provider, messages, className, propertyName, connected, origin);
    return connected ? CWmiQuery::VariantToText(value) : std::string();
}

std::string WmiGetText(const std::string& className, const std::string& propertyName, std::string* origin)
{
    const SystemInfoPorts& ports = ProcessSystemInfoPorts();
    return WmiGetText(*ports.wmi, *ports.messages, className, propertyName, origin);
}
