#include "portd/ClaimTable.h"

#include <algorithm>

namespace portd {

void CClaimTable::Grant(ClientId client, std::int64_t now)
{
    holder_ = client;
    leaseEnd_ = now + leaseMs_;
}

std::optional<ClientId> CClaimTable::PopNext()
{
    if (waiters_.empty()) {
        return std::nullopt;
    }
    const ClientId next = waiters_.front().client;
    waiters_.pop_front();
    return next;
}

void CClaimTable::Forget(ClientId client)
{
    std::erase_if(waiters_, [client](const Waiter& waiter) { return waiter.client == client; });
    if (holder_ == client) {
        holder_.reset();
    }
}

std::optional<ClientId> CClaimTable::ExpireLease(std::int64_t now)
{
    if (!holder_ || now < leaseEnd_) {
        return std::nullopt;
    }
    const ClientId expired = *holder_;
    holder_.reset();
    return expired;
}

std::vector<ClientId> CClaimTable::ExpireWaits(std::int64_t now)
{
    std::vector<ClientId> expired;
    std::erase_if(waiters_, [&](const Waiter& waiter) {
        if (waiter.deadline > now) {
            return false;
        }
        expired.push_back(waiter.client);
        return true;
    });
    return expired;
}

std::optional<std::int64_t> CClaimTable::NextDeadline() const
{
    std::optional<std::int64_t> next;
    if (holder_) {
        next = leaseEnd_;
    }
    for (const auto& waiter : waiters_) {
        next = next ? std::min(*next, waiter.deadline) : waiter.deadline;
    }
    return next;
}

}  // namespace portd
