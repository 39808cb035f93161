#include "modeplugin/ModePage.h"

#include <algorithm>

#include "modeplugin/ModeControl.h"
#include "modeplugin/ModeTexts.h"

namespace modes {

CModePage::CModePage(const CModeControl& control, std::function<void()> changed)
    : control_(control), changed_(std::move(changed)), edited_(control.User())
{
}

std::vector<std::string> CModePage::Choices(int user) const
{
    std::vector<std::string> choices = control_.Machine().offered;
    if (choices.empty()) {
        choices = {kPowerSaver, kBalanced, kPerformance};
    }
    const std::string& current = edited_.profiles[user];
    if (std::find(choices.begin(), choices.end(), current) == choices.end()) {
        choices.push_back(current);
    }
    return choices;
}

void CModePage::Fill(IModePageView& view)
{
    view_ = &view;
    for (int user = 0; user < kUserModeCount; ++user) {
        const std::vector<std::string> choices = Choices(user);
        const auto at = std::find(choices.begin(), choices.end(), edited_.profiles[user]);
        view.ShowUserChoices(user, choices, static_cast<int>(at - choices.begin()));
    }
    Refresh();
}

void CModePage::Refresh()
{
    if (view_ == nullptr) {
        return;
    }
    view_->ShowStatus(ConnectionStatus(control_));
    // What each mode does now; an edited user mode does it after OK.
    for (int mode = 0; mode < kModeCount; ++mode) {
        view_->ShowModeTip(mode, ModeTip(control_, mode));
    }
}

void CModePage::ChooseUserProfile(int user, int index)
{
    if (user < 0 || user >= kUserModeCount) {
        return;
    }
    const std::vector<std::string> choices = Choices(user);
    if (index < 0 || index >= static_cast<int>(choices.size()) || choices[index] == edited_.profiles[user]) {
        return;
    }
    edited_.profiles[user] = choices[index];
    if (changed_) {
        changed_();
    }
}

}  // namespace modes
