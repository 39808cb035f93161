// A test-only hook, off unless VELMAR_TEST_CONTROL names a file: on SIGUSR1
// the program writes its state there (frame flags, the bound values of both
// pages, the skin scripts' testState()) and a screenshot beside it (.png).
// A file "<path>.command" is taken first and its text handed on once the
// dump is written (the command may open a modal dialog or a menu).
// End-to-end tests read a running program through it; a normal start never
// installs it.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

class CQtTestControl : public QObject {
    Q_OBJECT
public:
    // The signal is caught from the first line of main on; a request that
    // arrives before the event loop runs waits in the pipe.
    static bool HookSignal();
    // Null when the variable is not set or the signal cannot be hooked.
    static std::unique_ptr<CQtTestControl> InstallFromEnvironment(std::function<QString()> dump,
                                                                  std::function<void(const QString&)> screenshot);

    void SetCommandHandler(std::function<void(const QString&)> command) { command_ = std::move(command); }

private:
    CQtTestControl(int fd, QString path, std::function<QString()> dump, std::function<void(const QString&)> screenshot);
    void OnSignal();

    QSocketNotifier notifier_;
    QString path_;
    std::function<QString()> dump_;
    std::function<void(const QString&)> screenshot_;
    std::function<void(const QString&)> command_;
};
