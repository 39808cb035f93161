// The sockets systemd hands to a socket-activated service: LISTEN_PID names
// the process they are meant for, LISTEN_FDS how many there are, starting at
// descriptor 3. Read by hand, so the service needs no systemd library.
#pragma once

#include <functional>
#include <vector>

namespace portd {

inline constexpr int kListenFdsStart = 3;

using EnvironmentLookup = std::function<const char*(const char*)>;

// The descriptors meant for this process, none when the variables are absent,
// malformed or meant for another process (a parent that did not clear them).
std::vector<int> ListenFdsFor(const EnvironmentLookup& env, long pid);

// The same from this process's environment; the variables are then removed
// so a child never takes them for its own, and the descriptors are not
// passed on to children.
std::vector<int> TakeListenFds();

}  // namespace portd
