// A socket library whose peer sends scripted runs of bytes, for tests and
// fuzz targets that drive the web client without a network.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <string>

#include "platform/sockets.h"

namespace quorl::fakes {

// A socket library whose peer sends scripted runs of bytes: a receive that
// finds nothing waiting takes the next run, as if it had just arrived.
class ScriptedSockets : public platform::SocketLibrary {
 public:
  StartOutcome startOutcome = StartOutcome::kStarted;
  int startError = 0;
  std::map<std::string, uint32_t> names;
  int openError = 0;
  int connectError = 0;
  std::deque<std::string> arrivals;
  std::deque<int> receiveErrors;  // taken before arrivals, one per receive
  std::string sent;
  uint32_t connectedAddress = 0;
  uint16_t connectedPort = 0;
  int opened = 0;
  int closed = 0;
  int resolved = 0;
  int cancels = 0;
  std::function<void()> whileConnecting;  // runs as if nested in the wait

  StartOutcome Start(platform::WaitHook, int& error) override {
    error = startError;
    return startOutcome;
  }
  void Stop() override {}
  void CancelBlockingCall() override { ++cancels; }
  void SetTimeouts(platform::SocketTimeouts) override {}
  platform::SocketResult Resolve(std::string_view name) override {
    ++resolved;
    auto found = names.find(std::string(name));
    if (found == names.end()) {
      return platform::SocketResult::Failure(platform::socket_error::kHostNotFound);
    }
    return platform::SocketResult::Success(found->second);
  }
  platform::SocketResult OpenStream() override {
    if (openError) return platform::SocketResult::Failure(openError);
    ++opened;
    return platform::SocketResult::Success(7);
  }
  platform::SocketResult Connect(platform::SocketHandle, uint32_t address, uint16_t port) override {
    connectedAddress = address;
    connectedPort = port;
    if (whileConnecting) whileConnecting();
    if (connectError) return platform::SocketResult::Failure(connectError);
    return platform::SocketResult::Success(0);
  }
  platform::SocketResult Send(platform::SocketHandle, std::string_view bytes) override {
    sent += bytes;
    return platform::SocketResult::Success(static_cast<int64_t>(bytes.size()));
  }
  platform::SocketResult Receive(platform::SocketHandle, std::span<char> buffer,
                                 bool peek) override {
    if (!receiveErrors.empty()) {
      const int error = receiveErrors.front();
      receiveErrors.pop_front();
      return platform::SocketResult::Failure(error);
    }
    if (waiting_.empty() && !arrivals.empty()) {
      waiting_ = arrivals.front();
      arrivals.pop_front();
    }
    const size_t count = std::min(buffer.size(), waiting_.size());
    std::copy_n(waiting_.begin(), count, buffer.begin());
    if (!peek) waiting_.erase(0, count);
    return platform::SocketResult::Success(static_cast<int64_t>(count));
  }
  int Close(platform::SocketHandle) override {
    ++closed;
    return 0;
  }

 private:
  std::string waiting_;
};

}  // namespace quorl::fakes
