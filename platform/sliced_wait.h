// How a socket layer waits: in short slices, calling the wait hook between
// them, so that the host's messages keep flowing and the user's stop (or a
// cancelled call) ends the wait at once. Shared by every host's sockets.
#pragma once

#include <chrono>
#include <optional>

#include "platform/sockets.h"

namespace quorl::platform {

// Short enough that the window stays responsive and a stop is honoured at once.
inline constexpr std::chrono::milliseconds kWaitSlice{20};

// Calls pollOnce(kWaitSlice) until the socket is ready (it gives 0), a poll
// fails (it gives the failure code), the hook or cancelled asks to stop
// (socket_error::kInterrupted) or the limit passes (socket_error::kTimedOut).
// pollOnce gives none while the socket is not ready yet.
template <typename PollOnce>
int WaitInSlices(PollOnce&& pollOnce, const bool& cancelled, const WaitHook& hook,
                 std::chrono::milliseconds limit) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + limit;
  while (true) {
    if (cancelled) return socket_error::kInterrupted;
    if (const std::optional<int> polled = pollOnce(kWaitSlice)) return *polled;
    if (cancelled || (hook && hook())) return socket_error::kInterrupted;
    if (Clock::now() >= deadline) return socket_error::kTimedOut;
  }
}

}  // namespace quorl::platform
