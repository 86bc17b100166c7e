// READINI and WRITEINI: the script's entries in the configuration files,
// written only with the user's consent.
#include <algorithm>
#include <array>

#include "lang/builtin_handlers.h"
#include "lang/builtins.h"
#include "lang/config_files.h"

namespace quorl {
namespace {

constexpr size_t kMaxValueLength = 255;
constexpr int32_t kWritesBeforeAsking = 250;
constexpr int32_t kBytesBeforeAsking = 32000;

// Section, key and a third text; none after "UNABLE TO CONVERT PARAMETERS"
// when one of them gives no value.
std::optional<std::array<std::string, 3>> EntryArguments(Context& ctx, std::string_view arguments,
                                                         bool thirdIsOptional) {
  Result section = GetArgument(ctx, kKindString, arguments, 1);
  Result key = GetArgument(ctx, kKindString, arguments, 2);
  Result third = thirdIsOptional ? GetArgumentOr(ctx, kKindString, arguments, 3, "\"\"")
                                 : GetArgument(ctx, kKindString, arguments, 3);
  if (!section || !section->text || !key || !key->text || !third || !third->text) {
    ctx.RaiseScriptError("UNABLE TO CONVERT PARAMETERS");
    return std::nullopt;
  }
  return std::array<std::string, 3>{*section->text, *key->text, *third->text};
}

// Asks a consent question whose default answer is No.
bool UserAllows(Context& ctx, const std::string& question) {
  int answer = ctx.dialogs.MessageBox(
      question, "Quorl",
      platform::kMbYesNo | platform::kMbIconExclamation | platform::kMbDefButton2);
  return answer == platform::kIdYes;
}

// A refused question ends the program as END does.
void EndProgramRun(Context& ctx) {
  CallBuiltin(ctx, "END", "");
}

Result ReadIni(Context& ctx, std::string_view arguments) {
  auto texts = EntryArguments(ctx, arguments, true);
  if (!texts) return std::nullopt;
  const auto& [section, key, defaultValue] = *texts;
  std::optional<std::string> value;
  if (ctx.profiles) value = ctx.profiles->Read(ConfigFileFor(section), section, key);
  std::string text = value.value_or(defaultValue);
  if (text.size() > kMaxValueLength) text.resize(kMaxValueLength);
  return Value::String(std::move(text));
}

Result WriteIni(Context& ctx, std::string_view arguments) {
  auto texts = EntryArguments(ctx, arguments, false);
  if (!texts) return std::nullopt;
  // Once END has run (perhaps because the user refused a write) nothing more
  // is written, not even by the rest of the line that asked.
  if (ctx.stopRequested) return std::nullopt;
  const auto& [section, key, value] = *texts;
  ++ctx.iniWriteCount;
  ctx.iniByteCount += static_cast<int32_t>(std::min<size_t>(value.size(), kBytesBeforeAsking + 1));
  if (ctx.iniWriteCount > kWritesBeforeAsking || ctx.iniByteCount > kBytesBeforeAsking) {
    if (!UserAllows(ctx,
                    "This Quorl program is writing large amounts of data to the configuration "
                    "file.\nAllow it to continue?")) {
      EndProgramRun(ctx);
      return std::nullopt;
    }
    ctx.iniWriteCount = 0;
    ctx.iniByteCount = 0;
  }
  std::string_view file = ConfigFileFor(section);
  if (file == kQuorlIniFile && !ctx.configWriteAsked) {
    ctx.configWriteAsked = true;  // asked once a run, whatever the answer
    if (!UserAllows(ctx,
                    "This Quorl program is attempting to write configuration information.\n"
                    "Allow it to continue?")) {
      EndProgramRun(ctx);
      return std::nullopt;
    }
  }
  // A write that fails is no success.
  bool written = ctx.profiles && ctx.profiles->Write(file, section, key, value);
  return Value::Boolean(written);
}

}  // namespace

Result ConfigBuiltin(Context& ctx, std::string_view name, std::string_view arguments) {
  if (name == "READINI") return ReadIni(ctx, arguments);
  if (name == "WRITEINI") return WriteIni(ctx, arguments);
  return std::nullopt;
}

}  // namespace quorl
