// In-memory doubles of the plug-in's ports: board files as texts, machine
// facts as a table, and a processor count.
#pragma once

#include <map>
#include <string>

#include "IniProfile.h"
#include "fanplugin/MachineInfo.h"
#include "fanplugin/ProfileReader.h"
#include "hwmon/FanItemRecord.h"
#include "hwmon/ProcessorCount.h"

namespace zefan::test {

// Board files by path, read with the real profile rules.
class CMemoryProfileReader : public IProfileReader {
public:
    void Add(const std::string& path, const std::string& text) { files_[path] = CIniProfile::Parse(text); }

    int GetInt(const std::string& path, const std::string& section, const std::string& key,
               int defaultValue) const override
    {
        ++lookups;
        auto file = files_.find(path);
        return file == files_.end() ? defaultValue : file->second.GetInt(section, key, defaultValue);
    }
    std::string GetString(const std::string& path, const std::string& section, const std::string& key,
                          const std::string& defaultValue, std::size_t maxChars) const override
    {
        ++lookups;
        auto file = files_.find(path);
        return file == files_.end() ? defaultValue
                                    : file->second.GetString(section, key, defaultValue, maxChars + 1);
    }

    mutable int lookups = 0;

private:
    std::map<std::string, CIniProfile> files_;
};

class CMemoryMachineInfo : public IMachineInfo {
public:
    std::string GetInfo(const std::string& key) const override
    {
        auto found = facts.find(key);
        return found == facts.end() ? std::string() : found->second;
    }
    std::map<std::string, std::string> facts;
};

class CFixedProcessorCount : public hwmon::IProcessorCount {
public:
    explicit CFixedProcessorCount(int count) : count_(count) {}
    int ProcessorCount() const override { return count_; }

private:
    int count_;
};

// A fan item as a board file would give it.
inline hwmon::FanItemRecord FanItem(int itemNo, const std::string& name, const std::string& pin)
{
    hwmon::FanItemRecord item;
    item.itemNo = itemNo;
    item.itemType = 3;
    item.name = name;
    item.pinName = item.fanCtrlPin = pin;
    item.cpuNo = 1;
    item.enable = true;
    item.factor = 1.0;
    item.smartFanSupport = true;
    item.smartFanEnable = true;
    item.targetTemp = 50;
    item.toleranceTemp = 3;
    item.startCtrl = 60;
    item.stopCtrl = 30;
    item.fanOutputMode = 2;
    return item;
}

}  // namespace zefan::test
