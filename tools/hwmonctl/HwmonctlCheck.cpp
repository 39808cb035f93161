#include "HwmonctlCheck.h"

#include <vector>

using hwmon::BackendProblem;
using hwmon::BackendState;

namespace {

constexpr const char* kDriver = "w83627ehf";

struct Report {
    std::vector<std::pair<std::string, std::string>> lines;
    std::vector<std::string> steps;
    bool relogin = false;
};

std::string ChipLine(const CheckFacts& facts)
{
    if (facts.backend.Working() && !facts.backend.simulated) {
        return facts.backend.summary + (facts.backend.backend == "service" ? ", through the port service"
                                                                           : ", through direct port access");
    }
    if (facts.service.Working() && !facts.service.simulated) {
        return facts.service.summary + ", through the port service";
    }
    if (facts.service.problem == BackendProblem::NoChip || facts.backend.problem == BackendProblem::NoChip) {
        return "none answers at 0x295/0x296";
    }
    if (facts.driverFoundChip) {
        return std::string("a W83627EHF is there (the kernel driver ") + kDriver + " found it)";
    }
    return "not seen yet: the port service looks for it once it runs";
}

void CheckDriver(const CheckFacts& facts, Report& report)
{
    std::string line = !facts.portsHeldBy.empty() ? facts.portsHeldBy + " is loaded and holds ports 0x295-0x296"
                       : facts.driverLoaded      ? std::string(kDriver) + " is loaded, without the chip's ports"
                                                 : std::string(kDriver) + " is not loaded";
    line += facts.driverBlacklisted ? ", blacklisted" : ", not blacklisted";
    report.lines.emplace_back("kernel driver", line);
    if (!facts.driverBlacklisted) {
        report.steps.push_back(std::string("echo 'blacklist ") + kDriver + "' | sudo tee /etc/modprobe.d/velmar-" +
                               kDriver + ".conf" + (facts.driverLoaded ? std::string(" && sudo modprobe -r ") + kDriver : ""));
    } else if (facts.driverLoaded) {
        report.steps.push_back(std::string("sudo modprobe -r ") + kDriver);
    }
}

void CheckService(const CheckFacts& facts, Report& report)
{
    const std::string boot = !facts.serviceInstalled ? " (started by hand)"
                             : facts.socketEnabled   ? ", enabled at boot"
                                                     : ", not enabled at boot";
    std::string line;
    if (facts.socketExists) {
        switch (facts.service.state) {
        case BackendState::Working:
            line = "running at " + facts.socketPath + boot;
            break;
        case BackendState::NotRunning:
            line = "nobody answers at " + facts.socketPath + " (journalctl -u velmar-portd says why)";
            report.steps.push_back("sudo systemctl restart velmar-portd.socket");
            break;
        case BackendState::Refused:
            line = "running at " + facts.socketPath + ", " + facts.service.summary;
            break;
        }
    } else if (!facts.serviceInstalled) {
        line = "not installed";
        report.steps.push_back("sudo cmake --install build      (in Velmar's source folder)");
    } else {
        line = facts.socketEnabled ? "installed and enabled, but " + facts.socketPath + " is missing"
                                   : "installed, not enabled";
        if (facts.socketEnabled) {
            report.steps.push_back("sudo systemctl restart velmar-portd.socket");
        }
    }
    if (facts.serviceInstalled && !facts.socketEnabled) {
        report.steps.push_back("sudo systemctl enable --now velmar-portd.socket");
    }
    report.lines.emplace_back("port service", line);
}

void CheckGroup(const CheckFacts& facts, Report& report)
{
    std::string line;
    if (facts.root) {
        line = "you are root: served anyway, though nothing that draws needs root";
    } else if (!facts.groupExists) {
        line = "does not exist yet (it comes with the service)";
        if (facts.serviceInstalled) {
            report.steps.push_back("sudo systemd-sysusers");
        }
        report.steps.push_back("sudo usermod -aG velmar $USER");
        report.relogin = true;
    } else if (facts.memberNow) {
        line = facts.userName + " is a member";
    } else if (facts.memberConfigured) {
        line = facts.userName + " was added, but this session does not have the group yet";
        report.relogin = true;
    } else {
        line = facts.userName + " is not a member";
        report.steps.push_back("sudo usermod -aG velmar $USER");
        report.relogin = true;
    }
    report.lines.emplace_back("group velmar", line);
}

void CheckBoard(const CheckFacts& facts, Report& report)
{
    const std::string board = facts.boardModel.empty() ? "the firmware names no board"
                                                       : "board \"" + facts.boardModel + "\"";
    if (!facts.boardFileExists) {
        report.lines.emplace_back("board file", "none (" + facts.boardFile + " is missing; " + board + ")");
        report.steps.push_back("reinstall Velmar: its board files are missing");
    } else if (facts.boardGeneric) {
        report.lines.emplace_back("board file", facts.boardFile + " (generic: " +
                                                    (facts.boardModel.empty() ? board : board + " has no file of its own") +
                                                    ")");
    } else {
        report.lines.emplace_back("board file", facts.boardFile + " (" + board + ")");
    }
}

void CheckBackend(const CheckFacts& facts, Report& report)
{
    report.lines.emplace_back("backend now", facts.backend.Line());
    if (facts.backendStored && facts.backend.backend != "service" && facts.service.Working()) {
        report.steps.push_back("sudo varnreg delete 'HKLM\\SOFTWARE\\VARN\\VARNIO' Backend   (so the port service "
                               "is used)");
    }
}

}  // namespace

std::string FormatCheck(const CheckFacts& facts)
{
    Report report;
    report.lines.emplace_back("chip", ChipLine(facts));
    CheckDriver(facts, report);
    CheckService(facts, report);
    CheckGroup(facts, report);
    CheckBoard(facts, report);
    CheckBackend(facts, report);

    std::string text = "What stands between you and working fans:\n\n";
    for (const auto& [label, line] : report.lines) {
        text += "  " + label + std::string(15 - label.size(), ' ') + line + "\n";
    }
    text += "\n";
    const bool realChip = facts.backend.Working() && !facts.backend.simulated;
    if (report.steps.empty() && !report.relogin && realChip) {
        return text + kCheckAllClear + ": " + facts.backend.Line() + "\n";
    }
    if (!report.steps.empty()) {
        text += "What to run next:\n";
        for (std::size_t i = 0; i < report.steps.size(); ++i) {
            text += "  " + std::to_string(i + 1) + ". " + report.steps[i] + "\n";
        }
    }
    if (report.relogin) {
        text += std::string(report.steps.empty() ? "Log" : "Then log") +
                " out and in again (a session gets its groups when it starts), and run\nhwmonctl --check once more.\n";
    } else if (!report.steps.empty()) {
        text += "Then run hwmonctl --check once more.\n";
    } else {
        text += "The fans are not driven yet (" + facts.backend.Line() + "). " +
                hwmon::AdviceFor(facts.backend.problem) + "\n";
    }
    return text;
}
