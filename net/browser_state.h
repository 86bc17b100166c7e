// What the browser link keeps for the length of a run.
#pragma once

#include "platform/dde_client.h"

namespace quorl {

struct BrowserLinkState {
  // The host's client of the browser's conversations; none when the host has
  // no way to reach a browser (every operation then fails to connect).
  platform::DdeClient* client = nullptr;
  // From the form's creation to its destruction.
  bool started = false;
  // The warning about long requests to an unknown browser is shown once a run.
  bool longRequestWarningShown = false;
};

}  // namespace quorl
