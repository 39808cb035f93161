// A message for the user with the application's name as caption and an OK
// button only. The host shows a dialog; command-line programs print it.
#pragma once

#include <string>

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual void Show(const std::string& text) = 0;
};
