// The power-off and its notice in memory: a test counts requests, refuses
// one, and reads what the notice says.
#pragma once

#include <string>

#include "monplugin/PowerOff.h"

namespace monitor {

class CFakePowerOff : public IPowerOff {
public:
    void SetListener(IPowerOffListener* listener) override { listener_ = listener; }
    void Request() override { ++requests; }
    void Refuse(const std::string& reason)
    {
        if (listener_ != nullptr) {
            listener_->OnPowerOffRefused(reason);
        }
    }

    int requests = 0;

private:
    IPowerOffListener* listener_ = nullptr;
};

class CFakeShutdownNotice : public IShutdownNotice {
public:
    void Show(const std::string& shown) override
    {
        text = shown;
        open = true;
        ++shows;
    }
    void Close() override { open = false; }

    std::string text;
    bool open = false;
    int shows = 0;
};

}  // namespace monitor
