#include "hwmon/linux/ProcessBackend.h"

#include <mutex>

#include "hwmon/linux/FileLock.h"
#include "hwmon/linux/LinuxBackendFactory.h"
#include "hwmon/linux/ServicePort.h"
#include "hwmon/varnio/PersistentSimulatedChip.h"

namespace hwmon {
namespace {

using namespace std::chrono_literals;

// Holders of a file claim keep it for milliseconds; a service claim may be
// held for a whole lease (two seconds) by a slow client before the service
// takes it back.
constexpr std::chrono::milliseconds kFilePatience = 1s;
constexpr std::chrono::milliseconds kServicePatience = 3s;

// A claim on the local simulated chip keeps the chip in memory while it is
// held (ISimulationSession): the claim file says nobody else may touch the
// chip, so its accesses need not go through the state file one by one.
class CSessionClaim : public IClaimLock {
public:
    CSessionClaim(std::unique_ptr<IClaimLock> claim, ISimulationSession& session, std::mutex& accesses)
        : claim_(std::move(claim)), session_(session), accesses_(accesses)
    {
    }
    Outcome Acquire(std::chrono::milliseconds patience) override
    {
        const Outcome outcome = claim_->Acquire(patience);
        if (outcome == Outcome::Held) {
            std::lock_guard lock(accesses_);
            inSession_ = session_.BeginSession();
        }
        return outcome;
    }
    void Release() override
    {
        if (inSession_) {
            std::lock_guard lock(accesses_);
            session_.EndSession();
            inSession_ = false;
        }
        claim_->Release();
    }

private:
    std::unique_ptr<IClaimLock> claim_;
    ISimulationSession& session_;
    std::mutex& accesses_;
    bool inSession_ = false;
};

class CProcessBackend {
public:
    static CProcessBackend& Instance()
    {
        static CProcessBackend instance;
        return instance;
    }

    int Out(int port, int value)
    {
        std::lock_guard lock(mutex_);
        return choice_.port->OutPortB(port, value) > 0 ? 1 : 0;
    }
    int In(int port, std::uint8_t* value)
    {
        std::lock_guard lock(mutex_);
        return choice_.port->InPortB(port, value) > 0 ? 1 : 0;
    }

    ProcessClaimLock NewClaimLock()
    {
        if (service_ != nullptr) {
            return {std::make_unique<CServiceClaim>(*service_), kServicePatience};
        }
        auto claim = std::make_unique<CFileLock>(ClaimFileFor(settings_, factory_.DefaultStateFile()));
        if (auto* session = dynamic_cast<ISimulationSession*>(choice_.port.get())) {
            return {std::make_unique<CSessionClaim>(std::move(claim), *session, mutex_), kFilePatience};
        }
        return {std::move(claim), kFilePatience};
    }

    BackendReport Report()
    {
        BackendReport report = choice_.report;
        if (service_ != nullptr) {
            report.detail = service_->Describe();
        }
        return report;
    }

    BackendStatus Status() { return service_ != nullptr ? service_->Status() : StatusOfReport(choice_.report); }

    bool Simulate(SimulatorAction action, std::string& why)
    {
        if (service_ != nullptr) {
            return service_->Simulate(action, why);
        }
        if (choice_.report.active != kSimulatedBackend) {
            why = "only the simulated chip can do that, and the backend is " + Status().Line();
            return false;
        }
        std::lock_guard lock(mutex_);
        std::uint8_t chipId = 0xA1;
        ParseChipId(settings_.chipId, chipId);
        return ApplySimulatorAction(settings_.stateFile.empty() ? factory_.DefaultStateFile() : settings_.stateFile,
                                    chipId, action, why);
    }

private:
    CProcessBackend()
        : settings_(ReadBackendSettings()), choice_(ChooseBackend(settings_, factory_)),
          service_(choice_.report.active == kServiceBackend ? factory_.LastService() : nullptr)
    {
    }

    std::mutex mutex_;  // one access at a time in this process
    CLinuxBackendFactory factory_;
    BackendSettings settings_;
    BackendChoice choice_;
    CServicePort* service_;  // owned by choice_ when the service is the backend
};

}  // namespace

int ProcessOutPortB(int port, int value) { return CProcessBackend::Instance().Out(port, value); }

int ProcessInPortB(int port, std::uint8_t* value) { return CProcessBackend::Instance().In(port, value); }

ProcessClaimLock ProcessNewClaimLock() { return CProcessBackend::Instance().NewClaimLock(); }

BackendReport ProcessBackendReport() { return CProcessBackend::Instance().Report(); }

BackendStatus ProcessBackendStatus() { return CProcessBackend::Instance().Status(); }

bool ProcessApplySimulatorAction(SimulatorAction action, std::string& why)
{
    return CProcessBackend::Instance().Simulate(action, why);
}

}  // namespace hwmon
