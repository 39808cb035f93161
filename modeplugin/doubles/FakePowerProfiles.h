// The power profiles daemon in memory: a test sets what it offers, answers
// requests (or leaves them pending, or refuses them) and changes the profile
// from "outside".
#pragma once

#include <string>
#include <vector>

#include "modeplugin/PowerProfiles.h"

namespace modes {

class CFakePowerProfiles : public IPowerProfiles {
public:
    void SetListener(IPowerProfilesListener* listener) override { listener_ = listener; }
    const ProfilesSnapshot& Snapshot() const override { return state_; }
    void RequestProfile(const std::string& profile) override
    {
        requests.push_back(profile);
        if (answerAtOnce) {
            SetActive(profile);
        }
    }

    // The daemon appears with the three usual profiles.
    void Appear(const std::string& active = kBalanced,
                std::vector<std::string> offered = {kPowerSaver, kBalanced, kPerformance})
    {
        state_ = {true, "net.hadess.PowerProfiles", active, std::move(offered), ""};
        Changed();
    }
    void Vanish()
    {
        state_ = {};
        Changed();
    }
    void SetActive(const std::string& profile)
    {
        state_.active = profile;
        Changed();
    }
    void SetDegraded(const std::string& reason)
    {
        state_.degraded = reason;
        Changed();
    }
    void Refuse(const std::string& profile, const std::string& reason)
    {
        if (listener_ != nullptr) {
            listener_->OnProfileRequestFailed(profile, reason);
        }
    }

    std::vector<std::string> requests;
    bool answerAtOnce = true;

private:
    void Changed()
    {
        if (listener_ != nullptr) {
            listener_->OnProfilesChanged();
        }
    }

    IPowerProfilesListener* listener_ = nullptr;
    ProfilesSnapshot state_;
};

}  // namespace modes
