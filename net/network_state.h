// The program-wide state of web requests: the socket library in use, the
// flags that guard and stop a transfer, and where the proxy setting comes from.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/secure_channels.h"
#include "platform/sockets.h"

namespace quorl {

struct NetworkState {
  // The host's socket library; none when the host has no network.
  platform::SocketLibrary* sockets = nullptr;
  platform::SocketTimeouts timeouts;
  // The host's TLS over that library; none when the host has none, and
  // then https:// URLs are refused with a message.
  platform::SecureChannels* tls = nullptr;

  bool busy = false;            // a request is running; a second one is refused
  bool abort = false;           // the user asked to stop the running transfer
  bool libraryStarted = false;  // between a successful start and the next stop
  bool startFailureReported = false;

  // Reads a key of section "QuorlConfig" in "Quorl.INI"; the INI code of the
  // host installs it. Without it every key reads as empty.
  std::function<std::string(std::string_view key)> readQuorlConfig;
};

}  // namespace quorl
