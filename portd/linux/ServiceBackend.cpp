#include "portd/linux/ServiceBackend.h"

#include <chrono>

#include "hwmon/ChipAccessor.h"
#include "hwmon/ChipIdentity.h"
#include "hwmon/linux/IopermPorts.h"
#include "hwmon/linux/LinuxBackendFactory.h"
#include "hwmon/varnio/BackendChoice.h"
#include "hwmon/varnio/DirectPortBackend.h"

namespace portd {
namespace {

struct ProblemRefusal {
    hwmon::BackendProblem problem;
    Refusal refusal;
};

constexpr ProblemRefusal kRefusals[] = {
    {hwmon::BackendProblem::DriverHoldsPorts, Refusal::DriverHoldsPorts},
    {hwmon::BackendProblem::NoPortAccess, Refusal::NoPortAccess},
    {hwmon::BackendProblem::NoChip, Refusal::NoChip},
    {hwmon::BackendProblem::ChipBusy, Refusal::ChipBusy},
};

}  // namespace

Refusal WireRefusal(hwmon::BackendProblem problem)
{
    for (const auto& entry : kRefusals) {
        if (entry.problem == problem) {
            return entry.refusal;
        }
    }
    return Refusal::Other;
}

std::string DefaultServiceStateFile(const std::string& socketPath) { return socketPath + ".chip-state"; }

std::unique_ptr<CServiceBackend> CServiceBackend::Open(const ServiceOptions& options,
                                                       hwmon::BackendRefusal& refusal)
{
    std::unique_ptr<CServiceBackend> backend(new CServiceBackend());
    hwmon::BackendOpening opening;
    if (options.backend == "simulated") {
        backend->stateFile_ =
            options.stateFile.empty() ? DefaultServiceStateFile(options.socketPath) : options.stateFile;
        backend->chipId_ = options.chipId;
        hwmon::CLinuxBackendFactory factory;
        backend->port_ = factory.OpenSimulated(backend->stateFile_, options.chipId, opening);
        backend->description_ = "simulated\n" + opening.chip;
    } else {
        backend->directClaim_ = std::make_unique<hwmon::CFileLock>(hwmon::kDirectClaimFile);
        if (backend->directClaim_->Acquire(std::chrono::seconds(1)) == hwmon::IClaimLock::Outcome::Busy) {
            refusal = {hwmon::BackendProblem::ChipBusy, "another program keeps the chip",
                       std::string("another program keeps the chip's claim file ") + hwmon::kDirectClaimFile};
            return nullptr;
        }
        backend->port_ = hwmon::OpenDirectBackend(std::make_unique<hwmon::CIopermPorts>(), hwmon::ReadProcIoports(),
                                                  opening);
        backend->description_ = "direct\n" + opening.chip;
    }
    if (backend->port_ == nullptr) {
        refusal = opening.refusal;
        return nullptr;
    }
    return backend;
}

bool CServiceBackend::Simulate(hwmon::SimulatorAction action, std::string& why)
{
    if (stateFile_.empty()) {
        why = "the service drives the real chip; only a simulated one can do that";
        return false;
    }
    return hwmon::ApplySimulatorAction(stateFile_, chipId_, action, why);
}

}  // namespace portd
