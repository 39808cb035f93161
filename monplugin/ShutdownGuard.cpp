#include "monplugin/ShutdownGuard.h"

#include <algorithm>

#include "monplugin/MonitorTexts.h"

namespace monitor {

namespace {

bool Above(const MonitorItem& item, const ItemStatus& status)
{
    // Only a reading the monitor trusts can power the machine off.
    const bool judged = status.verdict.state != ItemState::Unavailable && status.verdict.state != ItemState::Unwatched;
    return item.enable && item.shutDownEnable && judged && status.value && *status.value > item.hiLimit;
}

}  // namespace

CShutdownGuard::CShutdownGuard(const pluginkit::IClock& clock, IPowerOff& powerOff, IShutdownNotice& notice)
    : clock_(clock), powerOff_(powerOff), notice_(notice)
{
    powerOff_.SetListener(this);
}

CShutdownGuard::~CShutdownGuard()
{
    powerOff_.SetListener(nullptr);
}

void CShutdownGuard::Update(const std::vector<MonitorItem>& items, const std::vector<ItemStatus>& status,
                            bool celsius)
{
    updatedMs_ = clock_.NowMs();
    aboveSince_.resize(items.size());
    first_.reset();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i >= status.size() || !Above(items[i], status[i])) {
            aboveSince_[i].reset();
            continue;
        }
        if (!aboveSince_[i]) {
            aboveSince_[i] = updatedMs_;
        }
        if (!first_ || *aboveSince_[i] < *aboveSince_[*first_]) {
            first_ = i;
        }
    }
    if (!first_) {
        if (shown_) {
            notice_.Close();
        }
        shown_ = requested_ = false;
        refusal_.clear();
        return;
    }
    const MonitorItem& item = items[*first_];
    firstCaption_ = item.caption;
    firstValue_ = DisplayText(item.itemClass, *status[*first_].value, celsius);
    firstLimit_ = DisplayText(item.itemClass, item.hiLimit, celsius);
    if (SecondsLeft(*first_) == 0 && !requested_) {
        // Set first: a refusal may come back from inside the request.
        requested_ = true;
        notice_.Show(NoticeText());
        shown_ = true;
        powerOff_.Request();
        return;
    }
    notice_.Show(NoticeText());
    shown_ = true;
}

std::int64_t CShutdownGuard::SecondsLeft(std::size_t item) const
{
    const std::int64_t left = kPowerOffAfterMs - (updatedMs_ - *aboveSince_[item]);
    return std::max<std::int64_t>(0, (left + 999) / 1000);
}

std::string CShutdownGuard::NoteFor(std::size_t item) const
{
    if (item >= aboveSince_.size() || !aboveSince_[item]) {
        return {};
    }
    if (requested_) {
        return refusal_.empty() ? "power-off requested" : "power-off refused: " + refusal_;
    }
    return "power-off in " + std::to_string(SecondsLeft(item)) + " s";
}

std::string CShutdownGuard::NoticeText() const
{
    std::string text = firstCaption_ + " is " + firstValue_ + ", above its limit of " + firstLimit_ + ".\n";
    if (!requested_) {
        return text + "Velmar powers the computer off in " + std::to_string(SecondsLeft(*first_)) +
               " s unless it comes back below the limit. Save your work.";
    }
    if (!refusal_.empty()) {
        return text + "The system refused to power off: " + refusal_;
    }
    return text + "Velmar asked the system to power off.";
}

void CShutdownGuard::OnPowerOffRefused(const std::string& reason)
{
    refusal_ = reason.empty() ? "no reason given" : reason;
    if (shown_ && first_) {
        notice_.Show(NoticeText());
    }
}

}  // namespace monitor
