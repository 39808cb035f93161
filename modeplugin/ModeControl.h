// Modes in step with the desktop's power profile, in both directions. A mode
// chosen in Velmar becomes a profile request; a profile changed elsewhere
// (quick settings, powerprofilesctl, another program) is reported to the host
// as "EXTERNAL_MODE_CHANGE", once per burst of changes, so the face follows.
//
// Which mode is current: the last chosen one while the active profile is
// still the one it asked for (or its request is on its way); otherwise the
// mode the active profile shows as (ModeShowing). Without a daemon the
// chosen mode is simply kept, so the host's protocol goes on working.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "modeplugin/PowerProfiles.h"
#include "modeplugin/ProfileMapping.h"
#include "plugin_api/kit/Timer.h"

namespace modes {

class CModeControl : public IPowerProfilesListener {
public:
    // A burst of property changes (a storm) is reported once, this long
    // after its first change.
    static constexpr int kReportDelayMs = 50;

    // reportChange sends "EXTERNAL_MODE_CHANGE"; it runs from reportTimer.
    CModeControl(IPowerProfiles& profiles, pluginkit::ITimer& reportTimer, UserProfiles user,
                 std::function<void()> reportChange);
    ~CModeControl() override;
    CModeControl(const CModeControl&) = delete;
    CModeControl& operator=(const CModeControl&) = delete;

    // "CHANGE_MODE". A number outside 0-6 changes nothing and returns false;
    // the host is then asked to read the current mode again, so a wrong
    // number it holds is replaced.
    bool ChangeMode(long long mode);
    // "TEST_MODE": the chosen (or shown) mode again, as the settings now say.
    void Reapply();
    // "GETCURR_MODE"; nullopt when nothing is known (no daemon, nothing
    // chosen): the host keeps what it has.
    std::optional<int> CurrentMode() const;
    // The host now shows mode (it chose it, or read it from us).
    void HostShows(int mode) { shown_ = mode; }

    // New user modes; the mode in effect is applied again.
    void SetUserProfiles(const UserProfiles& user);
    const UserProfiles& User() const { return user_; }
    MachineProfiles Machine() const;
    const ProfilesSnapshot& System() const { return profiles_.Snapshot(); }
    // What mode does now on this machine ("" while unknown).
    std::string ProfileOf(int mode) const;
    // The daemon's words when it last refused a request; "" after a success.
    const std::string& LastFailure() const { return failure_; }
    // Called after every change of the above (the open page follows it).
    void SetObserver(std::function<void()> observer) { observer_ = std::move(observer); }

    void OnProfilesChanged() override;
    void OnProfileRequestFailed(const std::string& profile, const std::string& reason) override;

private:
    void Apply();
    void ScheduleReport();
    void Report();
    void Observe();

    IPowerProfiles& profiles_;
    pluginkit::ITimer& reportTimer_;
    UserProfiles user_;
    std::function<void()> reportChange_;
    std::function<void()> observer_;

    int chosen_ = -1;                     // the mode chosen in Velmar, while it holds
    std::optional<std::string> requested_; // asked for and not yet seen active
    bool applyWhenConnected_ = false;     // chosen while no daemon answered
    bool reportAnyway_ = false;           // the host holds a number we did not give
    int shown_ = -1;                      // what the host shows, as far as we know
    std::string startProfile_;
    std::string lastActive_;
    std::string failure_;
};

}  // namespace modes
