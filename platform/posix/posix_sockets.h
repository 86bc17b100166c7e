// The socket seam over POSIX sockets. Sockets are non-blocking underneath;
// every wait is a poll() in short slices that calls the wait hook between
// slices, so messages keep flowing and a stop request ends the wait at once.
#pragma once

#include "platform/sockets.h"

namespace quorl::platform {

class PosixSockets : public SocketLibrary {
 public:
  StartOutcome Start(WaitHook hook, int& error) override;
  void Stop() override;
  void CancelBlockingCall() override { cancelled_ = true; }
  void SetTimeouts(SocketTimeouts timeouts) override { timeouts_ = timeouts; }

  SocketResult Resolve(std::string_view name) override;
  SocketResult OpenStream() override;
  SocketResult Connect(SocketHandle socket, uint32_t address, uint16_t port) override;
  SocketResult Send(SocketHandle socket, std::string_view bytes) override;
  SocketResult Receive(SocketHandle socket, std::span<char> buffer, bool peek) override;
  int Close(SocketHandle socket) override;

 private:
  // Waits until the socket is ready for the events; 0 or a failure code.
  int WaitFor(SocketHandle socket, short events, std::chrono::milliseconds limit);

  WaitHook hook_;
  SocketTimeouts timeouts_;
  bool cancelled_ = false;
};

// The socket seam's code for a POSIX errno value.
int SocketErrorFromErrno(int errnoValue);

}  // namespace quorl::platform
