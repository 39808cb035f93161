// The mode page's behaviour: what each mode does now, the connection, and
// the choice of profile for the three user modes. Edits stay on the page
// until the host's OK or Apply commits them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "modeplugin/ModePageView.h"
#include "modeplugin/ProfileMapping.h"

namespace modes {

class CModeControl;

class CModePage {
public:
    // changed runs on every edit ("DLG_CHANGED" to the host).
    CModePage(const CModeControl& control, std::function<void()> changed);

    void Fill(IModePageView& view);
    // The system changed while the page is open.
    void Refresh();
    // From the view: user mode user (0-2) takes the index-th profile offered.
    void ChooseUserProfile(int user, int index);
    const UserProfiles& Edited() const { return edited_; }

    // The profiles a user mode can take: what the machine offers (the three
    // usual ones while that is unknown), plus the stored one should the
    // machine not offer it, so nothing is dropped unseen.
    std::vector<std::string> Choices(int user) const;

private:
    const CModeControl& control_;
    std::function<void()> changed_;
    UserProfiles edited_;
    IModePageView* view_ = nullptr;
};

}  // namespace modes
