// A socket library whose peer sends scripted runs of bytes, for tests and
// fuzz targets that drive the web client without a network.
#pragma once

#include <algorithm>
#include <deque>
#include <map>
#include <string>

#include "platform/sockets.h"

namespace quorl::fakes {

// A receive that finds nothing waiting takes the next run of `arrivals`, as
// if it had just arrived; names resolve through `names`.
class ScriptedSockets : public platform::SocketLibrary {
 public:
  StartOutcome startOutcome = StartOutcome::kStarted;
  int startError = 0;
  int connectError = 0;
  std::map<std::string, uint32_t> names;
  std::deque<std::string> arrivals;
  int cancels = 0;

  StartOutcome Start(platform::WaitHook, int& error) override {
    error = startError;
    return startOutcome;
  }
  void Stop() override {}
  void CancelBlockingCall() override { ++cancels; }
  void SetTimeouts(platform::SocketTimeouts) override {}
  platform::SocketResult Resolve(std::string_view name) override {
    auto found = names.find(std::string(name));
    if (found == names.end()) {
      return platform::SocketResult::Failure(platform::socket_error::kHostNotFound);
    }
    return platform::SocketResult::Success(found->second);
  }
  platform::SocketResult OpenStream() override { return platform::SocketResult::Success(7); }
  platform::SocketResult Connect(platform::SocketHandle, uint32_t, uint16_t) override {
    if (connectError) return platform::SocketResult::Failure(connectError);
    return platform::SocketResult::Success(0);
  }
  platform::SocketResult Send(platform::SocketHandle, std::string_view bytes) override {
    return platform::SocketResult::Success(static_cast<int64_t>(bytes.size()));
  }
  platform::SocketResult Receive(platform::SocketHandle, std::span<char> buffer,
                                 bool peek) override {
    if (waiting_.empty() && !arrivals.empty()) {
      waiting_ = arrivals.front();
      arrivals.pop_front();
    }
    const size_t count = std::min(buffer.size(), waiting_.size());
    std::copy_n(waiting_.begin(), count, buffer.begin());
    if (!peek) waiting_.erase(0, count);
    return platform::SocketResult::Success(static_cast<int64_t>(count));
  }
  int Close(platform::SocketHandle) override { return 0; }

 private:
  std::string waiting_;
};

}  // namespace quorl::fakes
