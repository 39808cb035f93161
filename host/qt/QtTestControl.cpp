#include "QtTestControl.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <QTimer>
#include <cerrno>
#include <cstdlib>

namespace {
int g_pipe[2] = {-1, -1};

void OnUser1(int) {
    const int saved = errno;
    const char byte = 1;
    if (write(g_pipe[1], &byte, 1) < 0) {
        // A full pipe already asks for a dump.
    }
    errno = saved;
}
}  // namespace

bool CQtTestControl::HookSignal() {
    if (g_pipe[0] >= 0) return true;
    const char* path = getenv("VELMAR_TEST_CONTROL");
    if (path == nullptr || *path == '\0') return false;
    if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction action {};
    action.sa_handler = OnUser1;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return sigaction(SIGUSR1, &action, nullptr) == 0;
}

std::unique_ptr<CQtTestControl> CQtTestControl::InstallFromEnvironment(
    std::function<QString()> dump, std::function<void(const QString&)> screenshot) {
    const QString path = qEnvironmentVariable("VELMAR_TEST_CONTROL");
    if (path.isEmpty() || !HookSignal()) return nullptr;
    return std::unique_ptr<CQtTestControl>(new CQtTestControl(g_pipe[0], path, std::move(dump), std::move(screenshot)));
}

CQtTestControl::CQtTestControl(int fd, QString path, std::function<QString()> dump,
                               std::function<void(const QString&)> screenshot)
    : notifier_(fd, QSocketNotifier::Read), path_(std::move(path)), dump_(std::move(dump)),
      screenshot_(std::move(screenshot)) {
    connect(&notifier_, &QSocketNotifier::activated, this, [this] { OnSignal(); });
}

void CQtTestControl::OnSignal() {
    char buffer[64];
    while (read(g_pipe[0], buffer, sizeof buffer) > 0) {
    }
    QFile commandFile(path_ + ".command");
    if (command_ && commandFile.open(QIODevice::ReadOnly)) {
        const QString command = QString::fromUtf8(commandFile.readAll().trimmed());
        commandFile.close();
        commandFile.remove();
        if (!command.isEmpty()) QTimer::singleShot(0, this, [this, command] { command_(command); });
    }
    if (screenshot_) screenshot_(path_ + ".png");
    // Written whole and renamed, so a reader never sees half a dump.
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(dump_().toUtf8());
    file.commit();
}
