// "ShutDownEnable": a watched item that stays above its high limit for 30
// seconds asks the system for an orderly power-off, once. From the moment
// it goes above, a notice tells the user which item, its value, its limit
// and the seconds left; the notice closes when the item comes back (a
// refusal by the system stays on it until then).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "monplugin/Judge.h"
#include "monplugin/MonitorItem.h"
#include "monplugin/PowerOff.h"
#include "plugin_api/kit/Timer.h"

namespace monitor {

inline constexpr std::int64_t kPowerOffAfterMs = 30000;

class CShutdownGuard : private IPowerOffListener {
public:
    CShutdownGuard(const pluginkit::IClock& clock, IPowerOff& powerOff, IShutdownNotice& notice);
    ~CShutdownGuard() override;
    CShutdownGuard(const CShutdownGuard&) = delete;
    CShutdownGuard& operator=(const CShutdownGuard&) = delete;

    // After each judgement of all items.
    void Update(const std::vector<MonitorItem>& items, const std::vector<ItemStatus>& status, bool celsius);
    // The item's part in it for its NOTE ("power-off in 24 s"); "" for none.
    std::string NoteFor(std::size_t item) const;
    bool Requested() const { return requested_; }

private:
    void OnPowerOffRefused(const std::string& reason) override;
    std::int64_t SecondsLeft(std::size_t item) const;
    std::string NoticeText() const;

    const pluginkit::IClock& clock_;
    IPowerOff& powerOff_;
    IShutdownNotice& notice_;
    std::vector<std::optional<std::int64_t>> aboveSince_;  // per item, while above
    std::int64_t updatedMs_ = 0;
    // The item whose countdown ends first, and what the notice says of it.
    std::optional<std::size_t> first_;
    std::string firstCaption_;
    std::string firstValue_;
    std::string firstLimit_;
    bool requested_ = false;
    std::string refusal_;
    bool shown_ = false;
};

}  // namespace monitor
