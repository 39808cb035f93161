#pragma once

#include <functional>

#include "EventLog.h"
#include "MessageBox.h"

class CFakeMessageBox : public IMessageBox {
public:
    explicit CFakeMessageBox(CEventLog* log = nullptr) : log_(log) {}
    void Show(const std::string& text) override {
        if (log_) log_->Add("message " + text);
        shown.push_back(text);
        if (onShow) onShow(text);
    }
    std::vector<std::string> shown;
    // Runs while the box is open, as events of its modal loop would.
    std::function<void(const std::string&)> onShow;

private:
    CEventLog* log_;
};
