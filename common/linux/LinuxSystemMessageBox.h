// Messages of programs without a window: one line on standard error,
// prefixed with the program's name in place of a caption.
#pragma once

#include "MessageBox.h"

class CLinuxSystemMessageBox : public IMessageBox {
public:
    void Show(const std::string& text) override;
};
