// The libFuzzer targets, each feeding arbitrary bytes to one part of Quorl;
// each target's executable is this file built with QUORL_FUZZ_TARGET naming
// it. Programs run as the console runner runs them, on services that reach
// nothing outside the process: message boxes are recorded and every question
// takes its default, there is no shell, no configuration file and no network
// beyond a scripted peer, and a run ends after a fixed number of lines, so
// that a script's own endless loop ends too.
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <string_view>

#include "host/control_types.h"
#include "host/event_script.h"
#include "host/form_builder.h"
#include "host/form_host.h"
#include "host/loader.h"
#include "host/program.h"
#include "host/program_reader.h"
#include "lang/evaluate.h"
#include "net/data_files.h"
#include "net/encodings.h"
#include "net/http_client.h"
#include "platform/headless/console_form_dialogs.h"
#include "platform/headless/headless_windows.h"
#include "platform/posix/ini_text.h"
#include "tests/unit/fakes.h"
#include "values/name_tree.h"

namespace quorl::fuzz {
namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

// A file of this process's own in the folder the fuzzing runs in.
const std::string& ScratchFile() {
  static const std::string path = "quorl-fuzz-" + std::to_string(getpid());
  return path;
}

// The form program the event and Evaluate targets work on.
const std::string& FuzzForm() {
  static const std::string form(
      std::istreambuf_iterator<char>(std::ifstream(QUORL_FUZZ_FORM, std::ios::binary).rdbuf()), {});
  return form;
}

// A "timer COUNT" line that asks for more than 100 ticks: a long run of ticks
// is what the user asked for, not a fault.
bool IsLongTimerLine(std::string_view line) {
  line.remove_prefix(std::min(line.size(), line.find_first_not_of(" \t")));
  if (line.size() < 5 || CompareNames(line.substr(0, 5), "timer") != 0) return false;
  std::string_view count = line.substr(5);
  count.remove_prefix(std::min(count.size(), count.find_first_not_of(" \t")));
  int ticks = 0;
  auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), ticks);
  return error == std::errc::result_out_of_range || (error == std::errc() && ticks > 100);
}

// One run of a program, for a few lines and short texts: enough for any rule
// to show, few enough that each input runs in milliseconds.
struct FuzzRun {
  fakes::FakeDialogs dialogs;
  fakes::FakeSystem system;
  Context ctx{dialogs, system};
  platform::HeadlessWindows windows;
  std::ostringstream out;
  platform::ConsoleFormDialogs formDialogs{out};
  FormHost host{ctx, windows, formDialogs};
  fakes::ScriptedSockets sockets;
  bool started = false;

  FuzzRun() {
    ctx.lineBudget = 2000;
    ctx.textLimit = 16 * 1024;
    sockets.names["fuzz.example"] = 0x7F000001;
    ctx.network.sockets = &sockets;
  }
  ~FuzzRun() {
    if (started && !ctx.scriptOnly && !windows.FormClosed()) host.CloseForm();
    if (started) EndProgram(ctx);
  }

  // Loads the program text and runs MAIN and FORM_LOAD; true when a form is
  // left to work on.
  bool Start(std::string_view text) {
    FormBlockBuilder builder(ctx, &host);
    started = LoadProgramText(ctx, "fuzz.frm", std::string(text), builder).lines > 0;
    if (started) RunStartup(ctx);
    if (started && !ctx.scriptOnly) {
      windows.PumpMessages();
      host.OnUserActionDone();
    }
    return started && host.HasForm();
  }

  // Replays event-file lines on the form.
  void Replay(std::string_view events) {
    EventScript script(host, windows, out, out);
    for (int lineNumber = 1; !events.empty() && !windows.FormClosed(); ++lineNumber) {
      size_t end = std::min(events.find('\n'), events.size());
      std::string_view line = events.substr(0, end);
      events.remove_prefix(std::min(end + 1, events.size()));
      if (!IsLongTimerLine(line) && !script.RunLine(line, lineNumber)) break;
    }
  }
};

// Whole programs: loaded and run, and then every control of the form is
// clicked, typed into, picked from and scrolled; the timer ticks, Tab is
// pressed and the form is dumped.
void Program(std::string_view bytes) {
  FuzzRun run;
  if (!run.Start(bytes)) return;
  std::string events;
  for (const ControlEntry* entry : run.host.registry().InFileOrder()) {
    const std::string& name = entry->name;
    events += "click " + name + "\ntype " + name + " a1\nkey " + name + " 8\nselect " + name +
              " 1\nscroll " + name + " linedown\nscroll " + name + " thumb 3\n";
  }
  run.Replay(events + "timer 3\ntab\nbacktab\nmenu forminfo\ndump\n");
}

// Event files, replayed as user actions on a fixed form whose event
// procedures change each other's controls.
void Events(std::string_view bytes) {
  FuzzRun run;
  Check(run.Start(FuzzForm()));
  run.Replay(bytes);
}

// Evaluate on any text, in the running form program with variables,
// procedures and controls to name. The first byte chooses the kind wanted
// and whether the text is a statement.
void EvaluateText(std::string_view bytes) {
  constexpr int32_t kKinds[] = {kKindAny, kKindInteger, kKindString, kKindBoolean, kKindDouble};
  if (bytes.empty()) return;
  FuzzRun run;
  Check(run.Start(FuzzForm()));
  const int32_t kind = kKinds[(bytes[0] & 0x7F) % std::size(kKinds)];
  Evaluate(run.ctx, kind, bytes.substr(1), (bytes[0] & 0x80) != 0);
}

// The form builder: the bytes are a program file whose form section is built
// and described; no code runs.
void Form(std::string_view bytes) {
  FuzzRun run;
  FormBlockBuilder builder(run.ctx, &run.host);
  LoadProgramText(run.ctx, "fuzz.frm", std::string(bytes), builder);
  if (run.host.HasForm()) run.out << run.host.DescribeControls();
}

// HTTP replies: the bytes after the first are what the server sends, arriving
// in runs whose length the first byte chooses; its top bit sends the request
// through a proxy, the next one makes it a POST.
void Http(std::string_view bytes) {
  if (bytes.empty()) return;
  FuzzRun run;
  const size_t runLength = 1 + (bytes[0] & 0x3F) * 4;
  if (bytes[0] & 0x80) {
    run.ctx.network.readQuorlConfig = [](std::string_view key) {
      return key == "Proxy" ? std::string("fuzz.example:3128") : std::string();
    };
  }
  for (size_t at = 1; at < bytes.size(); at += runLength) {
    run.sockets.arrivals.emplace_back(bytes.substr(at, runLength));
  }
  NetworkRequest(run.ctx, "http://fuzz.example/data/file.txt?q=1",
                 (bytes[0] & 0x40) ? "name=value" : "", ScratchFile());
}

// The encodings, the INI text and the line readers; the first byte chooses
// the reader, and each checks what its callers rely on.
void Readers(std::string_view bytes) {
  if (bytes.empty()) return;
  const std::string_view text = bytes.substr(1);
  switch (bytes[0] % 4) {
    case 0: {  // Decoding what was encoded gives the text back.
      const std::string plain(text.substr(0, text.find('\0')));
      Check(UnescapeText(EscapeText(text)) == plain);
      Check(DecodeBase64(EncodeBase64(text)) == plain);
      Check(PlusToSpace(SpaceToPlus(plain)).size() == plain.size());
      UnescapeText(text);
      DecodeBase64(text);
      break;
    }
    case 1: {  // A key written into any text reads back; the first two lines
               // name a section and a key to read and write in the rest.
      const size_t first = text.find('\n');
      const size_t second = first == std::string_view::npos ? first : text.find('\n', first + 1);
      if (second == std::string_view::npos) break;
      const std::string_view section = text.substr(0, first);
      const std::string_view key = text.substr(first + 1, second - first - 1);
      const std::string_view body = text.substr(second + 1);
      platform::ReadIniValue(body, section, key);
      const std::string written = platform::WriteIniValue(body, "Fuzz", "Key", "value 1");
      Check(platform::ReadIniValue(written, "fuzz", "KEY") == "value 1");
      platform::WriteIniValue(body, section, key, text);
      break;
    }
    case 2: {  // Program lines are never longer than a line may be, nor hold a line end.
      fakes::RecordingErrors errors;
      ProgramReader reader{std::string(text)};
      while (std::optional<std::string> line = reader.ReadLine(errors)) {
        Check(line->size() <= 255 && line->find('\n') == std::string::npos);
        for (const std::string& stored : NormalizeCodeLine(*line)) Check(stored.size() <= 255);
      }
      break;
    }
    default: {  // Data lines from a file: each read moves on, no line passes 256 bytes.
      std::ofstream(ScratchFile(), std::ios::binary | std::ios::trunc) << text;
      std::unique_ptr<DataFile> file = DataFile::Open(ScratchFile());
      Check(file != nullptr);
      for (size_t reads = 0; !file->AtEnd(); ++reads) {
        Check(reads <= text.size());
        if (std::optional<std::string> line = file->ReadLine()) Check(line->size() <= 256);
      }
    }
  }
}

const std::map<std::string_view, void (*)(std::string_view)> kTargets = {
    {"program", Program}, {"events", Events}, {"evaluate", EvaluateText},
    {"form", Form},       {"http", Http},     {"readers", Readers}};

}  // namespace
}  // namespace quorl::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const auto target = quorl::fuzz::kTargets.at(QUORL_FUZZ_TARGET);
  target({reinterpret_cast<const char*>(data), size});
  return 0;
}
