// The seam to the user's web browser: a client of the Dynamic Data Exchange
// conversations that browsers serve (service name, topic, item). The Windows
// host implements it over the DDE management library; a host without DDE
// drives its browser some other way and answers as the browser's DDE server
// would. A conversation lives only within one operation of the browser link.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorl::platform {

// An open conversation; kNoConversation when no server answered.
using DdeConversation = uint64_t;
inline constexpr DdeConversation kNoConversation = 0;

class DdeClient {
 public:
  virtual ~DdeClient() = default;

  // Starts the client (client-only; every transaction and notification the
  // server sends is answered with 0). False when the system refuses.
  virtual bool Start() = 0;
  // Ends the client and every conversation it still has. Harmless when it
  // was never started.
  virtual void Stop() = 0;

  // Opens a conversation with a server of that service on that topic;
  // kNoConversation when the client is not started or no server answers.
  virtual DdeConversation Connect(std::string_view service, std::string_view topic) = 0;
  // A request for the item as text, started without waiting for the answer:
  // true when the request went out.
  virtual bool StartRequest(DdeConversation conversation, std::string_view item) = 0;
  // A request for the item as text that waits at most timeout for the data:
  // the data up to its first NUL byte, or none when nothing came.
  virtual std::optional<std::string> Request(DdeConversation conversation, std::string_view item,
                                             std::chrono::milliseconds timeout) = 0;
  virtual void Disconnect(DdeConversation conversation) = 0;
};

}  // namespace quorl::platform
