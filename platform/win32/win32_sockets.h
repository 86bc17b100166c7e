// The socket seam over the Windows socket library, loaded at run time for
// each request ("WSOCK32.DLL", else "WINSOCK.DLL") and never linked, so
// that the program starts on a system without networking. The library's
// blocking hook is gone from today's systems, so sockets are non-blocking
// and every wait is a select() in short slices that calls the wait hook.
#pragma once

#include <memory>

#include "platform/sockets.h"
#include "platform/win32/windows_api.h"

namespace quorl::platform {

class Win32Sockets final : public SocketLibrary {
 public:
  Win32Sockets();
  ~Win32Sockets() override;
  Win32Sockets(const Win32Sockets&) = delete;
  Win32Sockets& operator=(const Win32Sockets&) = delete;

  StartOutcome Start(WaitHook hook, int& error) override;
  void Stop() override;
  void CancelBlockingCall() override;
  void SetTimeouts(SocketTimeouts timeouts) override { timeouts_ = timeouts; }

  SocketResult Resolve(std::string_view name) override;
  SocketResult OpenStream() override;
  SocketResult Connect(SocketHandle socket, uint32_t address, uint16_t port) override;
  SocketResult Send(SocketHandle socket, std::string_view bytes) override;
  SocketResult Receive(SocketHandle socket, std::span<char> buffer, bool peek) override;
  int Close(SocketHandle socket) override;

  // The library's entry points, looked up by name when it starts.
  struct EntryPoints;

 private:
  enum class Readiness { kRead, kWrite, kConnected };
  // Waits until the socket is ready; 0 or a failure code.
  int WaitFor(SocketHandle socket, Readiness readiness, std::chrono::milliseconds limit);
  int LastError() const;
  void Unload();

  HMODULE library_ = nullptr;
  std::unique_ptr<EntryPoints> api_;
  bool started_ = false;
  WaitHook hook_;
  SocketTimeouts timeouts_;
  bool cancelled_ = false;
};

}  // namespace quorl::platform
