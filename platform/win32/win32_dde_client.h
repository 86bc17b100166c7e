// The browser link's conversations over the system's DDE management library:
// a client-only instance, one conversation per operation, requests for text
// with or without waiting for the answer.
#pragma once

#include "platform/dde_client.h"
#include "platform/win32/windows_api.h"

#include <ddeml.h>

namespace quorl::platform {

class Win32DdeClient final : public DdeClient {
 public:
  ~Win32DdeClient() override { Stop(); }
  bool Start() override;
  void Stop() override;
  DdeConversation Connect(std::string_view service, std::string_view topic) override;
  bool StartRequest(DdeConversation conversation, std::string_view item) override;
  std::optional<std::string> Request(DdeConversation conversation, std::string_view item,
                                     std::chrono::milliseconds timeout) override;
  void Disconnect(DdeConversation conversation) override;

 private:
  HDDEDATA Transaction(DdeConversation conversation, std::string_view item, DWORD timeout,
                       DWORD* transactionId);

  DWORD instance_ = 0;
};

}  // namespace quorl::platform
