// The power-off notice as a window of its own: non-modal and on top, since
// the host's window may be in the tray when the countdown starts, and
// nothing on the host's thread may wait for the user. Made on the first
// Show, closed and destroyed by Close.
#pragma once

#include <QPointer>
#include <QWidget>

#include "monplugin/PowerOff.h"

class QLabel;

namespace monitor {

inline constexpr const char* kNoticeObjectName = "VarneqShutdownNotice";

class CQtShutdownNotice : public IShutdownNotice {
public:
    ~CQtShutdownNotice() override;
    void Show(const std::string& text) override;
    void Close() override;

private:
    QPointer<QWidget> window_;
    QPointer<QLabel> text_;
};

}  // namespace monitor
