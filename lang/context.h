// All program-wide state of one running program: code lines, name tables,
// call frames, flags and the services the program talks to. Nothing of it is
// global, so two interpreters can run side by side.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lang/line_store.h"
#include "lang/plan_cache.h"
#include "net/data_files.h"
#include "net/frx_icons.h"
#include "net/network_context.h"
#include "platform/command_starter.h"
#include "platform/profile_files.h"
#include "values/control_access.h"
#include "values/name_tree.h"
#include "values/value.h"

namespace quorl {

inline constexpr int kMaxFrames = 100;
inline constexpr int kMaxEvaluationDepth = 1000;
inline constexpr size_t kMaxErrorTextLength = 511;

struct CallFrame {
  explicit CallFrame(NameTree&& table) : locals(std::move(table)) {}
  int32_t line = 0;  // index of the running line; -1 ends the body
  NameTree locals;
};

// The runtime's own pseudo-random generator, the same sequence everywhere.
class RandomGenerator {
 public:
  void Seed(uint32_t seed) { state_ = seed; }
  // 0 to 32767.
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }

 private:
  uint32_t state_ = 1;
};

// The dialogs, the system, the temporary files and the network state come
// from NetworkContext, which is all the web code sees of a run.
class Context : public NetworkContext {
 public:
  Context(platform::Dialogs& dialogs, platform::System& system);
  // The name tables stamp from a counter of this context.
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  // Services.
  ControlAccess* controls;  // never null; NoControls until a form exists

  // Program.
  LineStore lines;
  uint64_t nameStamps = 0;  // where the name tables take their stamps from
  NameTree procedures{"!!@@BLANK@@!!", &nameStamps};
  NameTree formTable{"", &nameStamps};
  NameTree globals{"", &nameStamps};
  std::vector<CallFrame> frames;  // the frame stack; back() is the current frame

  // Flags shared between the parts of the interpreter.
  bool programReady = false;
  bool scriptOnly = false;
  bool stopRequested = false;
  bool callerScopeLookup = false;
  bool resumeFlag = false;

  RandomGenerator random;
  // Plans of the texts that ran, and the partner lines of block statements.
  PlanCache plans{procedures, lines};
  // How deeply Evaluate is nested; bounded so that text evaluating itself
  // (QUORL of a text that calls QUORL again) cannot exhaust the stack.
  int evaluationDepth = 0;
  uint64_t linesExecuted = 0;   // counted for the benchmark
  uint64_t errorsReported = 0;  // run-time error boxes shown so far
  // When not 0, the run ends (as at END) once this many lines have started:
  // what bounds a script's own endless loop where a run must end.
  uint64_t lineBudget = 0;
  // The longest text a value may hold; lowered where runs must stay quick.
  size_t textLimit = kMaxTextBytes;
  std::string commandLineText;  // what CMDLINE reads
  std::string formFormatText;   // the program file's first line, at most 40 characters

  // The files that OPENDATA and OPENDATACACHE opened for the script.
  DataFiles dataFiles;
  // The form's Image controls as LOADFRX fills them; null without a form.
  FrxImageHost* frxImages = nullptr;

  // Configuration files and command start-up for READINI, WRITEINI and
  // SHELL; null where a run has none (nothing is read, written or started).
  platform::ProfileFiles* profiles = nullptr;
  platform::CommandStarter* commands = nullptr;

  // WRITEINI's consent state.
  int32_t iniWriteCount = 0;
  int32_t iniByteCount = 0;
  bool configWriteAsked = false;

  int FrameDepth() const { return static_cast<int>(frames.size()) - 1; }
  CallFrame* CurrentFrame() { return frames.empty() ? nullptr : &frames.back(); }
  bool CanPushFrame() const { return FrameDepth() + 1 < kMaxFrames; }
  // False, with a message, when all frames are in use.
  bool PushFrame();
  void PopFrame();

  // The run-time error box: the message, a line feed and the running line.
  void RaiseScriptError(std::string_view message) override;
  // Reports a broken program or call and ends the running procedure body.
  void RaiseFatalScriptError();
  // False, after "OUT OF MEMORY!", when a text of that size passes textLimit.
  bool TextSizeAllowed(size_t size);
  // The text as a value; none, after that message, when it is too long.
  Result TextValue(std::string text);

 private:
  NoControls noControls_;
  std::vector<NameTree> spareLocals_;  // tables of popped frames, for the next pushes
};

}  // namespace quorl
