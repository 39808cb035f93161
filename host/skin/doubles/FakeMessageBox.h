#pragma once

#include "EventLog.h"
#include "MessageBox.h"

class CFakeMessageBox : public IMessageBox {
public:
    explicit CFakeMessageBox(CEventLog* log = nullptr) : log_(log) {}
    void Show(const std::string& text) override {
        if (log_) log_->Add("message " + text);
        shown.push_back(text);
    }
    std::vector<std::string> shown;

private:
    CEventLog* log_;
};
