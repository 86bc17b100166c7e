// The browser link of the native build: a Chromium-family browser started
// with a remote-debugging port, driven through its DevTools HTTP endpoint on
// that port. It answers the browser's DDE topics as a DDE browser would:
// WWW_OpenURL opens the URL in a new tab (a post text through a temporary
// page that posts the text's fields), WWW_Activate brings that tab to the
// front, and WWW_GetWindowInfo gives the front tab's "URL","TITLE". The
// service name is not checked: the endpoint is the browser.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "platform/dde_client.h"
#include "platform/posix/devtools_texts.h"
#include "platform/posix/posix_sockets.h"
#include "platform/system.h"

namespace quorl::platform {

inline constexpr std::string_view kDefaultDevToolsAddress = "127.0.0.1:9222";

class DevToolsBrowser final : public DdeClient {
 public:
  // address gives "HOST:PORT" of the endpoint at each conversation (empty:
  // the default); keepTempFile hears each temporary page made, so that it is
  // deleted with the program's other temporary files.
  DevToolsBrowser(System& system, std::function<std::string()> address,
                  std::function<void(const std::string&)> keepTempFile)
      : system_(system), address_(std::move(address)), keepTempFile_(std::move(keepTempFile)) {}

  bool Start() override;
  void Stop() override;
  DdeConversation Connect(std::string_view service, std::string_view topic) override;
  bool StartRequest(DdeConversation conversation, std::string_view item) override;
  std::optional<std::string> Request(DdeConversation conversation, std::string_view item,
                                     std::chrono::milliseconds timeout) override;
  void Disconnect(DdeConversation conversation) override { conversations_.erase(conversation); }

 private:
  struct Endpoint {
    uint32_t address = 0;
    uint16_t port = 0;
    std::string host;  // as the Host header names it
  };
  struct Reply {
    int status = 0;
    std::string body;
  };

  std::optional<Endpoint> FindEndpoint();
  // One HTTP exchange with the endpoint; none when it cannot be had in time.
  std::optional<Reply> Exchange(const Endpoint& endpoint, std::string_view method,
                                const std::string& target, std::chrono::milliseconds timeout);
  std::optional<std::string> Answer(DdeConversation conversation, std::string_view item,
                                    std::chrono::milliseconds timeout);
  std::optional<std::string> OpenUrl(const Endpoint& endpoint, std::string_view item,
                                     std::chrono::milliseconds timeout);
  // Waits until the tab has read its page, which has a title, so that the
  // page's file may go.
  void AwaitTitle(const Endpoint& endpoint, const std::string& tab);
  std::optional<std::string> MakePostingPage(std::string_view url, std::string_view postText);
  std::optional<std::vector<DevToolsTarget>> Pages(const Endpoint& endpoint,
                                                   std::chrono::milliseconds timeout);

  System& system_;
  std::function<std::string()> address_;
  std::function<void(const std::string&)> keepTempFile_;
  PosixSockets sockets_;
  bool started_ = false;
  std::map<DdeConversation, std::string> conversations_;  // their topics
  DdeConversation lastConversation_ = kNoConversation;
  std::string lastOpenedTab_;  // what "the window" of WWW_Activate means
};

}  // namespace quorl::platform
