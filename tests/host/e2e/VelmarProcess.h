// Running the real Velmar from an end-to-end test: starting it with its
// output in the profile's log, and reading its state through the test-only
// dump (SIGUSR1 writes <profile>/dump.txt while VELMAR_TEST_CONTROL names it).
#pragma once

#include <grp.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace velmar_e2e {

// What a command printed on its standard output.
inline std::string Shell(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    return out;
}

// The registry as the user's tools see it: varnreg (from the built program
// folder) on the hive files of VELMAR_REGISTRY_DIR; its output without the
// final newline.
inline std::string Varnreg(const std::string& builtApp, const std::string& arguments) {
    std::string out = Shell(builtApp + "/varnreg " + arguments + " 2>/dev/null");
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}

// ZEFAN from the profile's program folder, on the simulated chip of the
// simulated board, as the demo registers them.
inline void RegisterZefanOnSimulatedBoard(const std::string& builtApp, const std::string& app) {
    Varnreg(builtApp, "set 'HKLM\\SOFTWARE\\VARN\\APM' ZEFAN --string " + app + "/ZEFAN.so");
    Varnreg(builtApp, "set 'HKLM\\SOFTWARE\\VARN\\VARNIO' Backend --string simulated");
    Varnreg(builtApp, "set 'HKLM\\SOFTWARE\\VARN\\SystemInfo' MBModel --string SimulatedBoard");
}

// One test binary's private world: registry hives, runtime, config, data and
// cache folders, the dump file and the plug-ins' journal under one temporary
// folder, and a program folder of its own (app) with the built program,
// plug-in, port library and board file; which skins go in is the test's
// choice. Nothing of the user's own is touched. folder is empty on failure.
struct Profile {
    std::string folder;
    std::string app;
};

inline Profile PrepareProfile(const std::string& prefix, const std::string& builtApp) {
    std::string pattern = "/tmp/" + prefix + "-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) return {};
    const Profile profile{pattern, pattern + "/app"};
    std::filesystem::create_directories(profile.folder + "/run");
    // A runtime folder is the user's alone; Velmar keeps its instance block
    // out of one that others may enter.
    std::filesystem::permissions(profile.folder + "/run", std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    std::filesystem::create_directories(profile.app);
    for (const char* file : {"Velmar", "ZEFAN.so", "libvarnio.so", "libvarnio_backend.so", "libvelmar_registry.so",
                             "SimulatedBoard.ini"})
        std::filesystem::copy(builtApp + "/" + file, profile.app + "/" + file);
    setenv("VELMAR_REGISTRY_DIR", profile.folder.c_str(), 1);
    setenv("HOME", profile.folder.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (profile.folder + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (profile.folder + "/data").c_str(), 1);
    setenv("XDG_CACHE_HOME", (profile.folder + "/cache").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (profile.folder + "/run").c_str(), 1);
    setenv("VELMAR_TEST_CONTROL", (profile.folder + "/dump.txt").c_str(), 1);
    setenv("VELMAR_RECORDING_LOG", (profile.folder + "/journal").c_str(), 1);
    return profile;
}

// "section.key" -> value, from the dump's [section] and key=value lines.
using DumpValues = std::map<std::string, std::string>;

inline pid_t LaunchVelmar(const std::string& app, const std::string& profile) {
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        // A test that dies takes its Velmar with it.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const std::string log = profile + "/velmar.log";
        std::freopen(log.c_str(), "a", stdout);
        std::freopen(log.c_str(), "a", stderr);
        execl((app + "/Velmar").c_str(), "Velmar", static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// Who a program is started as: a user other than the test's, with the
// groups its session would have.
struct RunAs {
    uid_t uid;
    gid_t gid;
    std::vector<gid_t> groups;
};

// As LaunchVelmar, but as that user (the test runs as root), with these
// "NAME=value" variables added to the environment; the log is opened before
// the privileges go, in the profile folder.
inline pid_t LaunchVelmarAs(const std::string& app, const std::string& profile, const RunAs& user,
                            const std::vector<std::string>& environment = {}) {
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        const std::string log = profile + "/velmar.log";
        std::freopen(log.c_str(), "a", stdout);
        std::freopen(log.c_str(), "a", stderr);
        if (setgroups(user.groups.size(), user.groups.data()) != 0 || setresgid(user.gid, user.gid, user.gid) != 0 ||
            setresuid(user.uid, user.uid, user.uid) != 0)
            _exit(126);
        for (const std::string& variable : environment) {
            const auto eq = variable.find('=');
            setenv(variable.substr(0, eq).c_str(), variable.substr(eq + 1).c_str(), 1);
        }
        execl((app + "/Velmar").c_str(), "Velmar", static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// Exit code; 128 + the signal's number when a signal ended it, as a shell
// says it; -1 while it still runs after limit.
inline int WaitExit(pid_t pid, std::chrono::milliseconds limit) {
    using namespace std::chrono_literals;
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (std::chrono::steady_clock::now() >= end) return -1;
        std::this_thread::sleep_for(50ms);
    }
}

// As WaitExit, but a program still running after limit is killed; pid is
// cleared either way, so a fixture's tear-down leaves it alone.
inline int WaitExitOrKill(pid_t& pid, std::chrono::milliseconds limit) {
    const int code = WaitExit(pid, limit);
    if (code == -1) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    pid = -1;
    return code;
}

// The end of the program's log, for the message of a failed check.
inline std::string LogTail(const std::string& profile, std::size_t bytes = 3000) {
    std::ifstream in(profile + "/velmar.log");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return "velmar.log ends:\n" + (text.size() > bytes ? text.substr(text.size() - bytes) : text);
}

inline DumpValues RequestDump(pid_t pid, const std::string& profile) {
    using namespace std::chrono_literals;
    const std::string path = profile + "/dump.txt";
    std::filesystem::remove(path);
    kill(pid, SIGUSR1);
    for (int i = 0; i < 100 && !std::filesystem::exists(path); ++i) std::this_thread::sleep_for(50ms);
    std::this_thread::sleep_for(20ms);  // the file appears before it is complete
    DumpValues values;
    std::ifstream in(path);
    std::string section;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("[")) {
            section = line.substr(1, line.size() - 2) + ".";
            continue;
        }
        const auto eq = line.find('=');
        if (eq != std::string::npos) values[section + line.substr(0, eq)] = line.substr(eq + 1);
    }
    return values;
}

// Dumps until check accepts the values, at most tries times.
template <class Check>
DumpValues DumpWhen(pid_t pid, const std::string& profile, Check check, int tries = 40) {
    using namespace std::chrono_literals;
    DumpValues values;
    for (int i = 0; i < tries; ++i) {
        values = RequestDump(pid, profile);
        if (check(values)) break;
        std::this_thread::sleep_for(250ms);
    }
    return values;
}

}  // namespace velmar_e2e
