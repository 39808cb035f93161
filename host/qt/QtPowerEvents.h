// Suspend and resume from logind's PrepareForSleep signal on the system bus:
// true is suspend (event 4, data 1), false is resume (event 7, data 2).
#pragma once

#include <QObject>
#include <functional>

class CQtPowerEvents : public QObject {
    Q_OBJECT
public:
    explicit CQtPowerEvents(std::function<void(int event, int data)> onPower);
    // False when there is no system bus or no logind (nothing arrives then).
    bool Connected() const { return connected_; }

private slots:
    void OnPrepareForSleep(bool sleeping);

private:
    std::function<void(int, int)> onPower_;
    bool connected_ = false;
};
