#include "TerminationSignal.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

namespace {
int g_pipe[2] = {-1, -1};

void OnTerminate(int) {
    const int saved = errno;
    const char byte = 1;
    if (write(g_pipe[1], &byte, 1) < 0) {
        // A full pipe already says the same.
    }
    errno = saved;
}
}  // namespace

int InstallTerminationHook() {
    if (g_pipe[0] >= 0) return g_pipe[0];
    if (pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        g_pipe[0] = g_pipe[1] = -1;
        return -1;
    }
    struct sigaction action {};
    action.sa_handler = OnTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // Ctrl+C in the terminal that started the host ends it like SIGTERM:
    // with the window's position, the mode and the plug-ins' state stored.
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        if (sigaction(signal, &action, nullptr) != 0) return -1;
    return g_pipe[0];
}

bool ConsumeTerminationRequest() {
    if (g_pipe[0] < 0) return false;
    bool any = false;
    char buffer[64];
    while (read(g_pipe[0], buffer, sizeof buffer) > 0) any = true;
    return any;
}
