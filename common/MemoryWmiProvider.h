// WMI provider double: classes and their instances held in memory. A class
// that was never added does not exist (WBEM_E_INVALID_CLASS).
#pragma once

#include "WmiProvider.h"

#include <map>
#include <string>
#include <vector>

class CMemoryWmiProvider : public IWmiProvider {
public:
    // Declares the class (so it exists even without instances).
    void AddClass(const std::string& className);
    // Sets the property on the class's first instance, creating both.
    void SetProperty(const std::string& className, const std::string& property, WmiVariant value,
                     std::string origin = {});
    void SetText(const std::string& className, const std::string& property, const std::string& text)
    {
        SetProperty(className, property, WmiVariant::String(text));
    }

    WmiStatus ConnectServer(const std::string& namespacePath, std::unique_ptr<IWmiServices>& services) override;

    // What ConnectServer answers (kWbemNoError: connect to the local cimv2).
    WmiStatus connectStatus = kWbemNoError;
    // Enumerations that fail with a given status, by class name.
    std::map<std::string, WmiStatus> failingClasses;
    // How many connections and enumerations were asked for.
    int connections = 0;
    int enumerations = 0;

private:
    friend class CMemoryWmiServices;
    std::map<std::string, std::vector<WmiObject>> classes_;
};
