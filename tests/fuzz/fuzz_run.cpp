#include "tests/fuzz/fuzz_run.h"

#include <unistd.h>

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "host/control_types.h"
#include "host/event_script.h"
#include "host/form_builder.h"
#include "host/loader.h"
#include "host/program.h"
#include "values/name_tree.h"

namespace quorl::fuzz {
namespace {

// A "timer COUNT" line that asks for more than 100 ticks.
bool IsLongTimerLine(std::string_view line) {
  size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos || line.size() - start < 5) return false;
  if (CompareNames(line.substr(start, 5), "timer") != 0) return false;
  std::string_view count = line.substr(start + 5);
  count.remove_prefix(std::min(count.size(), count.find_first_not_of(" \t")));
  int ticks = 0;
  auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), ticks);
  return error == std::errc::result_out_of_range || (error == std::errc() && ticks > 100);
}

}  // namespace

FuzzRun::FuzzRun() {
  ctx.lineBudget = kLineBudget;
  ctx.textLimit = kTextLimit;
  sockets.names["fuzz.example"] = 0x7F000001;
  ctx.network.sockets = &sockets;
}

FuzzRun::~FuzzRun() {
  if (!started_) return;
  if (!ctx.scriptOnly && !windows.FormClosed()) host.CloseForm();
  EndProgram(ctx);
}

bool FuzzRun::Start(std::string text) {
  FormBlockBuilder builder(ctx, &host);
  started_ = LoadProgramText(ctx, "fuzz.frm", std::move(text), builder).lines > 0;
  if (started_) RunStartup(ctx);
  if (started_ && !ctx.scriptOnly) {
    windows.PumpMessages();
    host.OnUserActionDone();
  }
  return started_ && host.HasForm();
}

void FuzzRun::Replay(std::string_view events) {
  EventScript script(host, windows, out, out);
  int lineNumber = 0;
  while (!events.empty() && !windows.FormClosed()) {
    size_t end = events.find('\n');
    std::string_view line = events.substr(0, end);
    events.remove_prefix(end == std::string_view::npos ? events.size() : end + 1);
    ++lineNumber;
    if (IsLongTimerLine(line)) continue;
    if (!script.RunLine(line, lineNumber)) break;
  }
}

void FuzzRun::WorkEveryControl() {
  std::string events;
  for (const ControlEntry* entry : host.registry().InFileOrder()) {
    const std::string& name = entry->name;
    events += "click " + name + "\ntype " + name + " a1\nkey " + name + " 8\nselect " + name +
              " 1\nscroll " + name + " linedown\nscroll " + name + " thumb 3\n";
  }
  events += "timer 3\ntab\nbacktab\nmenu forminfo\ndump\n";
  Replay(events);
}

const std::string& FuzzForm() {
  static const std::string form = [] {
    std::ifstream file(QUORL_FUZZ_FORM, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    if (!file || text.str().empty()) {
      std::cerr << "fuzz: cannot read " << QUORL_FUZZ_FORM << '\n';
      std::abort();
    }
    return text.str();
  }();
  return form;
}

const std::string& ScratchFile() {
  static const std::string path = [] {
    char name[] = "quorl-fuzz-XXXXXX";
    int file = mkstemp(name);
    if (file < 0) std::abort();
    close(file);
    return std::string(name);
  }();
  return path;
}

}  // namespace quorl::fuzz
