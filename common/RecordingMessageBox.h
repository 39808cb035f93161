// Message box double: keeps every text shown.
#pragma once

#include "MessageBox.h"

#include <string>
#include <vector>

class CRecordingMessageBox : public IMessageBox {
public:
    void Show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};
