// SETSTATUS and ENDSTATUS: the script shows and hides the status strip.
#include "lang/builtin_handlers.h"
#include "lang/builtins.h"

namespace quorl {

Result StatusBuiltin(Context& ctx, std::string_view, std::string_view arguments) {
  Result text = GetArgument(ctx, kKindString, arguments, 1);
  if (!text) {
    ctx.RaiseScriptError("CAN'T CONVERT PARAMETERS!");
    return std::nullopt;
  }
  Result percent = GetArgumentOr(ctx, kKindInteger, arguments, 2, "-1");
  ShowStatus(ctx, text->text.value_or(""), percent ? percent->integer : -1);
  return Value::Boolean(true);
}

std::optional<Result> StatusVariable(Context& ctx, std::string_view name) {
  if (name != "ENDSTATUS") return std::nullopt;
  HideStatus(ctx);
  return Result{};
}

}  // namespace quorl
