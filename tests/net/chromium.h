// A headless Chromium with its DevTools endpoint on a free loopback port and
// a fresh profile, for the length of a test suite.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/posix/devtools_texts.h"
#include "server_process.h"

namespace quorl::nettest {

class Chromium : public LoopbackServer {
 public:
  explicit Chromium(const std::filesystem::path& folder);
  // "127.0.0.1:PORT", as the browser link's configuration names it.
  std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }
  // The browser's tabs, front first, read straight from the endpoint.
  std::vector<platform::DevToolsTarget> Tabs() const;
  // The front tab once it satisfies the test, or whatever is in front
  // after a few seconds.
  platform::DevToolsTarget AwaitFrontTab(
      const std::function<bool(const platform::DevToolsTarget&)>& test) const;
};

}  // namespace quorl::nettest
