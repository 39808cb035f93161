// A helper program an end-to-end test runs beside Velmar (a display server,
// a window manager, a tray, a message bus, a mock service): started in a
// process group of its own with its output in a log file, and ended with
// that whole group when the object goes, however the test ends. If the test
// process itself dies, the kernel kills the child (PR_SET_PDEATHSIG).
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace velmar_e2e {

// Polls until ready() holds or limit passes; true when it held.
inline bool WaitFor(const std::function<bool()>& ready, std::chrono::milliseconds limit) {
    using namespace std::chrono_literals;
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (ready()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(50ms);
    }
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() { Stop(); }

    // argv[0] is looked up in PATH. environment: variables set ("" value:
    // removed) for the child only. keepFd: a descriptor the child keeps
    // open (for example Xvfb's -displayfd); -1 for none.
    bool Start(const std::vector<std::string>& argv, const std::string& log,
               const std::map<std::string, std::string>& environment = {}, int keepFd = -1) {
        Stop();
        log_ = log;
        std::fflush(stdout);
        std::fflush(stderr);
        pid_ = fork();
        if (pid_ < 0) return false;
        if (pid_ == 0) {
            setpgid(0, 0);
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
            if (out >= 0) {
                dup2(out, STDOUT_FILENO);
                dup2(out, STDERR_FILENO);
            }
            const int in = open("/dev/null", O_RDONLY);
            if (in >= 0) dup2(in, STDIN_FILENO);
            for (int fd = 3; fd < 1024; ++fd)
                if (fd != keepFd) close(fd);
            for (const auto& [name, value] : environment) {
                if (value.empty()) unsetenv(name.c_str());
                else setenv(name.c_str(), value.c_str(), 1);
            }
            std::vector<char*> args;
            for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
            args.push_back(nullptr);
            execvp(args[0], args.data());
            _exit(127);
        }
        setpgid(pid_, pid_);  // also from here: the group exists before Start returns
        return true;
    }

    bool Running() {
        if (pid_ <= 0) return false;
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return false;
        }
        return true;
    }

    // SIGTERM to the whole group, SIGKILL after two seconds.
    void Stop() {
        if (pid_ <= 0) return;
        const pid_t group = pid_;  // Running() clears pid_
        kill(-group, SIGTERM);
        if (!WaitFor([this] { return !Running(); }, std::chrono::seconds(2))) {
            kill(-group, SIGKILL);
            waitpid(group, nullptr, 0);
        }
        // Whatever of the group is left (a grandchild that ignored SIGTERM).
        kill(-group, SIGKILL);
        pid_ = -1;
    }

    pid_t Pid() const { return pid_; }
    std::string Log() const { return ReadFile(log_); }

private:
    pid_t pid_ = -1;
    std::string log_;
};

}  // namespace velmar_e2e
