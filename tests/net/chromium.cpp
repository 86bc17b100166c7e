#include "chromium.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "tools/subprocess.h"

namespace quorl::nettest {

Chromium::Chromium(const std::filesystem::path& folder) : LoopbackServer(folder, "chromium") {
  if (Missing()) return;
  Run({"--headless=new", "--no-sandbox", "--disable-gpu", "--remote-debugging-address=127.0.0.1",
       "--remote-debugging-port=" + std::to_string(port_),
       "--user-data-dir=" + (folder_ / "profile").string(), "--disable-background-networking",
       "--disable-component-update", "--disable-sync", "--no-first-run", "--disable-quic",
       "about:blank"},
      folder_ / "chromium.log", true, std::chrono::seconds(20));
}

std::vector<platform::DevToolsTarget> Chromium::Tabs() const {
  tools::ProcessRequest request;
  request.argv = {"curl", "-s", "--max-time", "5", "http://" + Address() + "/json/list"};
  const tools::ProcessResult listed = tools::RunProcess(request);
  std::vector<platform::DevToolsTarget> tabs =
      platform::ParseTargets(listed.standardOutput)
          .value_or(std::vector<platform::DevToolsTarget>{});
  std::erase_if(tabs, [](const platform::DevToolsTarget& tab) { return tab.type != "page"; });
  return tabs;
}

platform::DevToolsTarget Chromium::AwaitFrontTab(
    const std::function<bool(const platform::DevToolsTarget&)>& test) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (true) {
    const std::vector<platform::DevToolsTarget> tabs = Tabs();
    const platform::DevToolsTarget front = tabs.empty() ? platform::DevToolsTarget{} : tabs.front();
    if (test(front) || std::chrono::steady_clock::now() > deadline) return front;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace quorl::nettest
