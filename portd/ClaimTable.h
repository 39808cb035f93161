// The chip's one claim: who holds it, until when, and who waits for it in
// what order. A holder keeps it at most for its lease, so a client that hangs
// or crawls holds up the others no longer than that; a waiter waits at most
// until its own deadline.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace portd {

using ClientId = std::uint64_t;

class CClaimTable {
public:
    explicit CClaimTable(std::int64_t leaseMs) : leaseMs_(leaseMs) {}

    std::optional<ClientId> Holder() const { return holder_; }
    bool IsFree() const { return !holder_.has_value(); }
    // The table must be free.
    void Grant(ClientId client, std::int64_t now);
    void Free() { holder_.reset(); }

    void Enqueue(ClientId client, std::int64_t deadline) { waiters_.push_back({client, deadline}); }
    // The longest waiting client, removed from the queue.
    std::optional<ClientId> PopNext();
    // Drops the client from the queue and, when it holds the claim, frees it.
    void Forget(ClientId client);

    // The holder whose lease has run out by now (the table is then free).
    std::optional<ClientId> ExpireLease(std::int64_t now);
    // The waiters whose deadline has passed, removed from the queue.
    std::vector<ClientId> ExpireWaits(std::int64_t now);
    std::optional<std::int64_t> NextDeadline() const;

private:
    struct Waiter {
        ClientId client;
        std::int64_t deadline;
    };

    std::int64_t leaseMs_;
    std::optional<ClientId> holder_;
    std::int64_t leaseEnd_ = 0;
    std::deque<Waiter> waiters_;
};

}  // namespace portd
