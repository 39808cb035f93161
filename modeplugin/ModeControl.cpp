#include "modeplugin/ModeControl.h"

namespace modes {

CModeControl::CModeControl(IPowerProfiles& profiles, pluginkit::ITimer& reportTimer, UserProfiles user,
                           std::function<void()> reportChange)
    : profiles_(profiles), reportTimer_(reportTimer), user_(std::move(user)), reportChange_(std::move(reportChange))
{
    profiles_.SetListener(this);
    // The daemon may already have been heard before we listened.
    if (profiles_.Snapshot().connected) {
        OnProfilesChanged();
    }
}

CModeControl::~CModeControl()
{
    profiles_.SetListener(nullptr);
    reportTimer_.Stop();
}

MachineProfiles CModeControl::Machine() const
{
    return {startProfile_, System().connected ? System().offered : std::vector<std::string>{}};
}

std::string CModeControl::ProfileOf(int mode) const
{
    return ProfileFor(mode, user_, Machine());
}

bool CModeControl::ChangeMode(long long mode)
{
    if (!IsMode(mode)) {
        reportAnyway_ = true;
        ScheduleReport();
        return false;
    }
    chosen_ = static_cast<int>(mode);
    shown_ = chosen_;
    Apply();
    Observe();
    return true;
}

void CModeControl::Reapply()
{
    if (chosen_ < 0) {
        if (const auto current = CurrentMode()) {
            chosen_ = *current;
        }
    }
    Apply();
    Observe();
}

void CModeControl::SetUserProfiles(const UserProfiles& user)
{
    user_ = user;
    // A user mode in effect now asks for something else; any other mode
    // still asks for what it did, and Apply leaves it alone.
    Apply();
    Observe();
}

void CModeControl::Apply()
{
    if (chosen_ < 0) {
        return;
    }
    const ProfilesSnapshot& system = System();
    if (!system.connected) {
        applyWhenConnected_ = true;
        return;
    }
    const std::string target = ProfileOf(chosen_);
    if (target.empty()) {
        return;
    }
    // A request still on its way for another profile would land after this
    // one's "nothing to do": it is overtaken by a new request.
    const bool pendingOther = requested_ && *requested_ != target;
    if (target == system.active && !pendingOther) {
        requested_.reset();
        return;
    }
    requested_ = target;
    failure_.clear();
    profiles_.RequestProfile(target);
}

std::optional<int> CModeControl::CurrentMode() const
{
    const ProfilesSnapshot& system = System();
    if (!system.connected || system.active.empty()) {
        return chosen_ >= 0 ? std::optional<int>(chosen_) : std::nullopt;
    }
    if (chosen_ >= 0 && (requested_ || ProfileOf(chosen_) == system.active)) {
        return chosen_;
    }
    return ModeShowing(system.active, user_, Machine());
}

void CModeControl::OnProfilesChanged()
{
    const ProfilesSnapshot& system = System();
    if (!system.connected) {
        // Whatever was on its way died with the daemon.
        requested_.reset();
        lastActive_.clear();
    } else {
        if (startProfile_.empty()) {
            startProfile_ = system.active;
        }
        const bool activeChanged = system.active != lastActive_;
        lastActive_ = system.active;
        if (applyWhenConnected_) {
            applyWhenConnected_ = false;
            Apply();
        } else if (requested_ && system.active == *requested_) {
            requested_.reset();
        } else if (activeChanged && chosen_ >= 0 && ProfileOf(chosen_) != system.active) {
            // Changed elsewhere: the chosen mode no longer holds, and a
            // request of ours that has not landed is overruled.
            requested_.reset();
            chosen_ = -1;
        }
    }
    ScheduleReport();
    Observe();
}

void CModeControl::OnProfileRequestFailed(const std::string& profile, const std::string& reason)
{
    if (!requested_ || *requested_ != profile) {
        return;  // an older request, already overtaken
    }
    requested_.reset();
    failure_ = reason.empty() ? "the system refused " + profile : reason;
    // The chosen mode did not take: the face must show what holds instead.
    if (chosen_ >= 0 && ProfileOf(chosen_) != System().active) {
        chosen_ = -1;
    }
    ScheduleReport();
    Observe();
}

void CModeControl::ScheduleReport()
{
    if (!reportTimer_.Active()) {
        reportTimer_.Start(kReportDelayMs, false, [this] { Report(); });
    }
}

void CModeControl::Report()
{
    const std::optional<int> current = CurrentMode();
    if (!reportAnyway_ && (!current || *current == shown_)) {
        return;
    }
    reportAnyway_ = false;
    if (current) {
        shown_ = *current;
    }
    if (reportChange_) {
        reportChange_();
    }
}

void CModeControl::Observe()
{
    if (observer_) {
        observer_();
    }
}

}  // namespace modes
