// Running the real Velmar from an end-to-end test: starting it with its
// output in the profile's log, and reading its state through the test-only
// dump (SIGUSR1 writes <profile>/dump.txt while VELMAR_TEST_CONTROL names it).
#pragma once

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>

namespace velmar_e2e {

// "section.key" -> value, from the dump's [section] and key=value lines.
using DumpValues = std::map<std::string, std::string>;

inline pid_t LaunchVelmar(const std::string& app, const std::string& profile) {
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        const std::string log = profile + "/velmar.log";
        std::freopen(log.c_str(), "a", stdout);
        std::freopen(log.c_str(), "a", stderr);
        execl((app + "/Velmar").c_str(), "Velmar", static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
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
