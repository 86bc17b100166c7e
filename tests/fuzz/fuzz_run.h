// One run of a program as the console runner makes it, for the fuzz
// targets, on services that reach nothing outside the process: message boxes
// are recorded and every question takes its default, there is no shell, no
// configuration file and no network beyond a scripted peer, and the run ends
// after a fixed number of lines, so that a script's own endless loop ends too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "host/form_host.h"
#include "lang/context.h"
#include "platform/headless/console_form_dialogs.h"
#include "platform/headless/headless_windows.h"
#include "tests/unit/fakes.h"
#include "tests/unit/scripted_sockets.h"

namespace quorl::fuzz {

// Lines one run may start, and the longest text it may make: enough for any
// rule to show, few enough that each input runs in milliseconds.
inline constexpr uint64_t kLineBudget = 2000;
inline constexpr size_t kTextLimit = 16 * 1024;

class FuzzRun {
 public:
  FuzzRun();
  ~FuzzRun();
  FuzzRun(const FuzzRun&) = delete;
  FuzzRun& operator=(const FuzzRun&) = delete;

  // Loads the program text and runs MAIN and FORM_LOAD; true when a form is
  // left to work on.
  bool Start(std::string text);
  // Replays event-file lines on the form. A timer line asks for at most 100
  // ticks: a long run of ticks is what the user asked for, not a fault.
  void Replay(std::string_view events);
  // Clicks, types into, picks from and scrolls every control, lets the
  // timer tick, presses Tab and dumps the form.
  void WorkEveryControl();

  fakes::FakeDialogs dialogs;
  fakes::FakeSystem system;
  Context ctx{dialogs, system};
  platform::HeadlessWindows windows;
  std::ostringstream out;
  platform::ConsoleFormDialogs formDialogs{out};
  FormHost host{ctx, windows, formDialogs};
  fakes::ScriptedSockets sockets;

 private:
  bool started_ = false;
};

// The form program the event and Evaluate targets work on.
const std::string& FuzzForm();

// A file of this process's own in the folder the fuzzing runs in, for the
// targets that need one on disk; made at the first call.
const std::string& ScratchFile();

inline std::string_view AsText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace quorl::fuzz
