#include "hwmon/linux/LinuxBackendFactory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "hwmon/linux/BootClock.h"
#include "hwmon/linux/FileLock.h"
#include "hwmon/linux/IopermPorts.h"
#include "hwmon/linux/StateFile.h"
#include "hwmon/varnio/DirectPortBackend.h"
#include "hwmon/varnio/PersistentSimulatedChip.h"

namespace hwmon {
namespace {

using namespace std::chrono_literals;

// Owns the pieces the persistent chip borrows.
class CSimulatedBackend : public IPortIo, public ISimulationSession {
public:
    CSimulatedBackend(const std::string& stateFile, std::uint8_t chipId)
        : store_(stateFile), chip_(store_, clock_, chipId)
    {
    }
    bool CanLock()
    {
        if (!store_.Lock()) {
            return false;
        }
        store_.Unlock();
        return true;
    }
    int OutPortB(int port, int value) override { return chip_.OutPortB(port, value); }
    int InPortB(int port, std::uint8_t* value) override { return chip_.InPortB(port, value); }
    bool BeginSession() override { return chip_.BeginSession(); }
    void EndSession() override { chip_.EndSession(); }

private:
    CStateFile store_;
    CBootClock clock_;
    CPersistentSimulatedChip chip_;
};

}  // namespace

std::string ReadProcIoports()
{
    std::ifstream in("/proc/ioports");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::unique_ptr<IPortIo> CLinuxBackendFactory::OpenSimulated(const std::string& stateFile, std::uint8_t chipId,
                                                              BackendOpening& opening)
{
    auto backend = std::make_unique<CSimulatedBackend>(stateFile, chipId);
    if (!backend->CanLock()) {
        opening.refusal = {BackendProblem::StateFile, "its state file cannot be made",
                           "cannot create the simulated chip's lock file beside " + stateFile};
        return nullptr;
    }
    opening.chip = ShortChipName(chipId);
    opening.detail = "simulated " + opening.chip + ", state file " + stateFile;
    return backend;
}

std::unique_ptr<IPortIo> CLinuxBackendFactory::OpenDirect(BackendOpening& opening)
{
    // Identifying the chip is port traffic like any other, so it waits for
    // the claim; the port service keeps that claim for as long as it runs.
    CFileLock claim(kDirectClaimFile);
    if (claim.Acquire(1s) == IClaimLock::Outcome::Busy) {
        opening.refusal = {BackendProblem::ChipBusy, "another program keeps the chip",
                           std::string("another program has kept the chip's claim (") + kDirectClaimFile +
                               ") for over a second; the port service velmar-portd keeps it while it runs"};
        return nullptr;
    }
    return OpenDirectBackend(std::make_unique<CIopermPorts>(), ReadProcIoports(), opening);
}

std::unique_ptr<IPortIo> CLinuxBackendFactory::OpenService(const std::string& socketPath, BackendOpening& opening)
{
    auto service = std::make_unique<CServicePort>(socketPath);
    opening.detail = service->Describe();
    lastService_ = service.get();
    return service;
}

bool CLinuxBackendFactory::ServiceSocketExists(const std::string& socketPath) const
{
    struct stat info {};
    return ::stat(socketPath.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

std::string CLinuxBackendFactory::DefaultStateFile() const
{
    return hwmon::DefaultStateFile([](const char* name) { return std::getenv(name); },
                                   static_cast<unsigned>(::getuid()));
}

BackendChoice OpenConfiguredBackend(CLinuxBackendFactory& factory)
{
    return ChooseBackend(ReadBackendSettings(), factory);
}

bool ApplySimulatorAction(const std::string& stateFile, std::uint8_t chipId, SimulatorAction action,
                          std::string& why)
{
    CStateFile store(stateFile);
    if (action != SimulatorAction::PowerOn) {
        CBootClock clock;
        CPersistentSimulatedChip chip(store, clock, chipId);
        if (!chip.SetOverheat(action == SimulatorAction::OverheatOn)) {
            why = "cannot write the simulated chip's state file " + stateFile;
            return false;
        }
        return true;
    }
    if (!store.Lock()) {
        why = "cannot lock the simulated chip's state beside " + stateFile;
        return false;
    }
    SimulatedChipState state = PowerOnState(chipId);
    state.clockNs = CBootClock().NowNanoseconds();
    const bool saved = store.Save(EncodeState(state));
    store.Unlock();
    if (!saved) {
        why = "cannot write the simulated chip's state file " + stateFile;
    }
    return saved;
}

}  // namespace hwmon
