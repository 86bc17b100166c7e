#include "lang/context.h"

namespace quorl {

Context::Context(platform::Dialogs& dialogs, platform::System& system)
    : NetworkContext(dialogs, system), controls(&noControls_) {
  frames.reserve(kMaxFrames);  // frames never move while calls run
  spareLocals_.reserve(kMaxFrames);
}

bool Context::PushFrame() {
  if (!CanPushFrame()) {
    RaiseScriptError("TOO MANY NESTED CALLS!");
    return false;
  }
  // A popped frame's table serves again, emptied: its nodes are kept for the
  // names the next call binds, which are mostly the same.
  if (spareLocals_.empty()) {
    frames.emplace_back(NameTree("", &nameStamps));
  } else {
    frames.emplace_back(std::move(spareLocals_.back()));
    spareLocals_.pop_back();
    frames.back().locals.Forget();
  }
  return true;
}

void Context::PopFrame() {
  if (frames.empty()) return;
  spareLocals_.push_back(std::move(frames.back().locals));
  frames.pop_back();
}

void Context::RaiseScriptError(std::string_view message) {
  ++errorsReported;
  std::string text(message);
  text += '\n';
  const CallFrame* frame = CurrentFrame();
  if (frame && frame->line > 0 && lines.Has(frame->line)) text += lines.Line(frame->line);
  if (text.size() > kMaxErrorTextLength) text.resize(kMaxErrorTextLength);
  dialogs.MessageBox(text, "Quorl", platform::kMbOk);
}

void Context::RaiseFatalScriptError() {
  RaiseScriptError("QUORL OR THIS PROGRAM IS PRETTY MESSED UP AND PROBABLY WON'T WORK.");
  if (CallFrame* frame = CurrentFrame()) frame->line = -1;
}

bool Context::TextSizeAllowed(size_t size) {
  if (size <= textLimit) return true;
  RaiseScriptError("OUT OF MEMORY!");
  return false;
}

Result Context::TextValue(std::string text) {
  if (!TextSizeAllowed(text.size())) return std::nullopt;
  return Value::String(std::move(text));
}

}  // namespace quorl
