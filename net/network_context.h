// What the web code needs of the program that runs it: the dialogs and the
// system, the temporary files, the network state, the browser link and
// somewhere to show progress. The interpreter's context is one; the web code knows no more.
#pragma once

#include <string_view>

#include "net/browser_state.h"
#include "net/network_state.h"
#include "net/status_display.h"
#include "net/temp_file_ring.h"
#include "platform/dialogs.h"
#include "platform/system.h"
#include "values/value.h"

namespace quorl {

class NetworkContext : public ErrorReporter {
 public:
  NetworkContext(platform::Dialogs& dialogs, platform::System& system)
      : dialogs(dialogs), system(system) {}

  platform::Dialogs& dialogs;
  platform::System& system;
  // Temporary files made by downloads, deleted as the ring wraps and at exit.
  TempFileRing tempFiles;
  // Web requests: the socket library, the busy and stop flags, the proxy setting.
  NetworkState network;
  // The browser link: the host's client and the once-a-run warning.
  BrowserLinkState browser;
  // The form's status strip; null where no form shows one.
  StatusDisplay* status = nullptr;
};

inline void ShowStatus(NetworkContext& ctx, std::string_view text, int percent) {
  if (ctx.status) ctx.status->ShowStatus(text, percent);
}

inline void HideStatus(NetworkContext& ctx) {
  if (ctx.status) ctx.status->HideStatus();
}

}  // namespace quorl
