// hwmonctl: how a user checks the hardware monitor before trusting the GUI,
// what stands between them and working fans (--check), and how this layer is
// tested end to end. Exit codes: 0 done, 1 the backend or the chip failed
// (for --check: something stands in the way), 2 bad arguments.
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "HwmonctlCheck.h"
#include "HwmonctlOptions.h"
#include "HwmonctlReport.h"
#include "board/BoardFile.h"
#include "board/IniProfileReader.h"
#include "board/SystemInfoMachine.h"
#include "hwmon/FanController.h"
#include "hwmon/FanOutputRegisters.h"
#include "hwmon/PortClaim.h"
#include "hwmon/SensorTable.h"
#include "hwmon/linux/ProcessBackend.h"
#include "hwmon/linux/VarnioPort.h"

using namespace hwmon;

namespace {

// Programming one output from the command line is not a second-processor
// item, so the processor count never matters.
class COneProcessor : public IProcessorCount {
public:
    int ProcessorCount() const override { return 1; }
};

bool IsControllableOutput(const std::string& name)
{
    for (const auto& output : FanOutputs()) {
        if (output.name == name) {
            return true;
        }
    }
    return false;
}

int Program(IPortIo& port, const HwmonctlOptions& options)
{
    FanItemRecord item;
    item.itemNo = 1;
    item.itemType = kItemTypeFan;
    item.name = item.pinName = item.fanCtrlPin = options.output;
    item.cpuNo = 1;
    item.factor = 1.0;
    item.fanOutputMode = options.outputMode;
    COneProcessor processors;
    // The steps go in as one change: nobody sees half of them.
    CPortClaim claim(port);
    CFanController fan(item, port, processors);

    // Values first, so switching cruise on starts from the new start value.
    struct Step {
        const char* what;
        const std::optional<int>& value;
        bool (CFanController::*set)(int);
    };
    const Step steps[] = {
        {"target temperature", options.target, &CFanController::SetTargetTemp},
        {"tolerance", options.tolerance, &CFanController::SetTolerance},
        {"start value", options.start, &CFanController::SetStartCtrl},
        {"stop value", options.stop, &CFanController::SetStopCtrl},
    };
    for (const auto& step : steps) {
        if (step.value && !(fan.*step.set)(*step.value)) {
            std::fprintf(stderr, "hwmonctl: setting the %s of %s to %d failed (result %d)%s\n", step.what,
                         options.output.c_str(), *step.value, fan.LastResult(),
                         fan.LastResult() == 0 ? ": value out of range, nothing written" : "");
            return 1;
        }
    }
    if (options.enable && !fan.SetEnable(*options.enable)) {
        std::fprintf(stderr, "hwmonctl: %s thermal cruise of %s failed (result %d)\n",
                     *options.enable ? "enabling" : "disabling", options.output.c_str(), fan.LastResult());
        return 1;
    }
    std::printf("programmed %s\n", options.output.c_str());
    return 0;
}

int Watch(IPortIo& port, const HwmonctlOptions& options)
{
    const auto start = std::chrono::steady_clock::now();
    for (int line = 0; !options.seconds || line < *options.seconds; ++line) {
        std::this_thread::sleep_until(start + std::chrono::seconds(line));
        std::string text;
        const bool ok = WatchLine(port, line, text);
        std::fputs(text.c_str(), ok ? stdout : stderr);
        std::fflush(stdout);
        if (!ok) {
            return 1;
        }
    }
    return 0;
}

// The simulated chip's knobs: what was asked, what it did, or why not.
int Simulate(const HwmonctlOptions& options)
{
    struct Knob {
        SimulatorAction action;
        const char* failure;
        const char* done;
    };
    static constexpr Knob kReset{SimulatorAction::PowerOn, "cannot reset the chip",
                                 "the simulated chip is back at its power-on values, as after a resume"};
    static constexpr Knob kOverheat{SimulatorAction::OverheatOn, "cannot make the chip overheat",
                                    "the simulated processor's cooler has failed: CPUTIN climbs towards 95 C"};
    static constexpr Knob kCool{SimulatorAction::OverheatOff, "cannot cool the chip",
                                "the simulated processor's cooler works again: CPUTIN cools down"};
    const Knob& knob = options.simulateReset ? kReset : *options.simulateOverheat ? kOverheat : kCool;
    std::string why;
    if (!ProcessApplySimulatorAction(knob.action, why)) {
        std::fprintf(stderr, "hwmonctl: %s: %s\n", knob.failure, why.c_str());
        return 1;
    }
    std::printf("%s\n", knob.done);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string error;
    const HwmonctlOptions options = ParseHwmonctlOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (options.help) {
        std::fputs(kHwmonctlUsage, stdout);
        return 0;
    }
    if (!error.empty()) {
        std::fprintf(stderr, "hwmonctl: %s\n%s", error.c_str(), kHwmonctlUsage);
        return 2;
    }
    if (!options.output.empty() && !IsControllableOutput(options.output)) {
        std::fprintf(stderr, "hwmonctl: %s is not a controllable fan output\n%s", options.output.c_str(),
                     kHwmonctlUsage);
        return 2;
    }

    if (options.check) {
        const std::string text = FormatCheck(GatherCheckFacts());
        std::fputs(text.c_str(), stdout);
        return text.find(kCheckAllClear) != std::string::npos ? 0 : 1;
    }

    // The backend libvarnio uses in this process, with what was asked for
    // and whether it reaches the chip now.
    CVarnioPort port;
    const BackendReport backendReport = ProcessBackendReport();
    std::printf("%s\n", FormatBackendReport(backendReport).c_str());
    // The file the plug-ins read on this machine, so a user whose fans look
    // wrong knows which one to correct or write.
    const board::BoardFileChoice boardFile =
        board::ChooseBoardFile(board::CSystemInfoMachine(), board::CIniProfileReader());
    std::printf("board file: %s %s\n", boardFile.path.c_str(), board::BoardFileReason(boardFile).c_str());
    const BackendStatus status = ProcessBackendStatus();
    if (!status.Working()) {
        std::fprintf(stderr, "hwmonctl: backend refused: %s\n%s\n",
                     backendReport.refusal.empty() ? status.Line().c_str() : backendReport.refusal.c_str(),
                     AdviceFor(status.problem).c_str());
        return 1;
    }
    if (options.simulateReset || options.simulateOverheat) {
        return Simulate(options);
    }

    if (!options.output.empty()) {
        const int programmed = Program(port, options);
        if (programmed != 0) {
            return programmed;
        }
    }
    if (options.watch) {
        return Watch(port, options);
    }
    std::string report;
    const bool ok = PrintChipReport(port, report);
    std::fputs(report.c_str(), ok ? stdout : stderr);
    return ok ? 0 : 1;
}
