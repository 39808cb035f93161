// Machine facts by key ("Path", "MBModel"), as the system-information
// collector answers them; a port so the board lookup can be tested without
// the machine's own firmware data.
#pragma once

#include <string>

namespace board {

class IMachineInfo {
public:
    virtual ~IMachineInfo() = default;
    // "" for a fact the machine does not know.
    virtual std::string GetInfo(const std::string& key) const = 0;
};

}  // namespace board
