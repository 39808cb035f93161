// Port: the plain message box of user-visible failures ("Load XSL File
// Failed"). Modal; returns when dismissed.
#pragma once

#include <string>

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual void Show(const std::string& text) = 0;
};
