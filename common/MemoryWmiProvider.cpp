#include "MemoryWmiProvider.h"

#include <utility>

class CMemoryWmiServices : public IWmiServices {
public:
    explicit CMemoryWmiServices(CMemoryWmiProvider& provider) : provider_(provider) {}

    WmiStatus EnumerateInstances(const std::string& className, std::vector<WmiObject>& instances) override
    {
        ++provider_.enumerations;
        auto failing = provider_.failingClasses.find(className);
        if (failing != provider_.failingClasses.end()) return failing->second;
        auto found = provider_.classes_.find(className);
        if (found == provider_.classes_.end()) return kWbemInvalidClass;
        instances = found->second;
        return kWbemNoError;
    }

private:
    CMemoryWmiProvider& provider_;
};

void CMemoryWmiProvider::AddClass(const std::string& className) { classes_[className]; }

void CMemoryWmiProvider::SetProperty(const std::string& className, const std::string& property, WmiVariant value,
                                     std::string origin)
{
    std::vector<WmiObject>& instances = classes_[className];
    if (instances.empty()) instances.emplace_back();
    for (WmiProperty& existing : instances.front().properties) {
        if (existing.name == property) {
            existing.value = std::move(value);
            existing.origin = std::move(origin);
            return;
        }
    }
    instances.front().properties.push_back(WmiProperty{property, std::move(value), std::move(origin)});
}

WmiStatus CMemoryWmiProvider::ConnectServer(const std::string& namespacePath,
                                            std::unique_ptr<IWmiServices>& services)
{
    ++connections;
    if (connectStatus != kWbemNoError) return connectStatus;
    if (!IsLocalCimv2Namespace(namespacePath)) return kWbemInvalidNamespace;
    services = std::make_unique<CMemoryWmiServices>(*this);
    return kWbemNoError;
}
