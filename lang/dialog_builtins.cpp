// INPUTBOX, OUTPUTBOX and SHELL.
#include <array>

#include "lang/builtin_handlers.h"
#include "lang/builtins.h"

namespace quorl {
namespace {

// The three arguments of a dialog, with the defaults of those left out; none
// after "UNABLE TO CONVERT PARAMETERS" when one gives no value.
std::optional<std::array<std::string, 3>> DialogArguments(Context& ctx, std::string_view arguments,
                                                          std::string_view defaultCaption) {
  Result first = GetArgument(ctx, kKindString, arguments, 1);
  Result second = GetArgumentOr(ctx, kKindString, arguments, 2, defaultCaption);
  Result third = GetArgumentOr(ctx, kKindString, arguments, 3, "\"\"");
  if (!first || !second || !third) {
    ctx.RaiseScriptError("UNABLE TO CONVERT PARAMETERS");
    return std::nullopt;
  }
  return std::array<std::string, 3>{first->text.value_or(""), second->text.value_or(""),
                                    third->text.value_or("")};
}

Result InputBox(Context& ctx, std::string_view arguments) {
  auto texts = DialogArguments(ctx, arguments, "\"Input Box\"");
  if (!texts) return std::nullopt;
  const auto& [prompt, caption, initialText] = *texts;
  // Cancel gives the empty text, not the default.
  return ctx.TextValue(ctx.dialogs.InputBox(caption, prompt, initialText).value_or(""));
}

Result OutputBox(Context& ctx, std::string_view arguments) {
  auto texts = DialogArguments(ctx, arguments, "\"Output Box\"");
  if (!texts) return std::nullopt;
  const auto& [text, caption, label] = *texts;
  ctx.dialogs.OutputBox(caption, label, text);
  return std::nullopt;
}

// Asks before anything is started; No is the default answer, so that Enter
// or a run without an answer never starts a command.
Result Shell(Context& ctx, std::string_view arguments) {
  Result command = GetArgument(ctx, kKindString, arguments, 1);
  if (!command) return std::nullopt;
  std::string commandLine = command->text.value_or("");
  int answer = ctx.dialogs.MessageBox(
      "Vexlon Form requesting to execute:\n       " + commandLine +
          "\nAllow this command to be executed?\n",
      "Confirm Execution",
      platform::kMbYesNo | platform::kMbIconQuestion | platform::kMbDefButton2);
  if (answer != platform::kIdYes) return Value::Boolean(false);
  if (ctx.commands) ctx.commands->Start(commandLine);
  return Value::Boolean(true);
}

}  // namespace

Result DialogBuiltin(Context& ctx, std::string_view name, std::string_view arguments) {
  if (name == "INPUTBOX") return InputBox(ctx, arguments);
  if (name == "OUTPUTBOX") return OutputBox(ctx, arguments);
  if (name == "SHELL") return Shell(ctx, arguments);
  return std::nullopt;
}

}  // namespace quorl
