#include "hwmon/varnio/BackendStatus.h"

namespace hwmon {
namespace {

struct Advice {
    BackendProblem problem;
    const char* text;
};

constexpr const char* kServiceSetup =
    "Set up the port service once: sudo usermod -aG velmar $USER, then "
    "sudo systemctl enable --now velmar-portd.socket, then log out and in again.";

constexpr Advice kAdvice[] = {
    {BackendProblem::UnknownBackend,
     "Remove the stored choice so the port service is used: "
     "sudo varnreg delete 'HKLM\\SOFTWARE\\VARN\\VARNIO' Backend"},
    {BackendProblem::BadSetting, "Correct or remove the value under HKLM\\SOFTWARE\\VARN\\VARNIO."},
    {BackendProblem::StateFile, "Make the folder of the simulated chip's state file writable."},
    {BackendProblem::NoPortAccess,
     "Direct port access needs root. Use the port service instead, and nothing that draws needs root."},
    {BackendProblem::DriverHoldsPorts,
     "Keep the kernel driver off the chip: echo 'blacklist w83627ehf' | sudo tee "
     "/etc/modprobe.d/velmar-w83627ehf.conf, then sudo modprobe -r w83627ehf."},
    {BackendProblem::NoChip, "This board has no W83627EHF at ports 0x295/0x296; its fans cannot be driven."},
    {BackendProblem::ChipBusy,
     "Another program keeps the chip (the port service does while it runs); use the service, not the "
     "direct backend."},
    {BackendProblem::ServiceNotRunning, kServiceSetup},
    {BackendProblem::ServiceNotPermitted,
     "Add yourself to the group velmar: sudo usermod -aG velmar $USER, then log out and in again."},
    {BackendProblem::ServiceVersion, "Install matching versions of Velmar and its port service."},
    {BackendProblem::ServiceFailed, "Restart the port service: sudo systemctl restart velmar-portd.socket."},
};

}  // namespace

std::string AdviceFor(BackendProblem problem)
{
    for (const auto& advice : kAdvice) {
        if (advice.problem == problem) {
            return advice.text;
        }
    }
    return {};
}

std::string UnreachableChipMessage(const BackendStatus& status)
{
    std::string text = "The fan chip cannot be reached (" + status.Line() +
                       "). Fan settings are kept but cannot be applied until this is fixed.";
    const std::string advice = AdviceFor(status.problem);
    if (!advice.empty()) {
        text += "\n\n" + advice;
    }
    return text + "\n\nhwmonctl --check (in Velmar's program folder) tells what stands between you and working fans.";
}

}  // namespace hwmon
