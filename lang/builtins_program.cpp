// QUORL, END and DOEVENTS written as a call.
#include "lang/builtin_handlers.h"
#include "lang/builtins.h"
#include "lang/evaluate.h"

namespace quorl {

Result ProgramBuiltin(Context& ctx, std::string_view name, std::string_view arguments) {
  if (name == "QUORL") {
    Result text = GetArgument(ctx, kKindString, arguments, 1);
    if (!text) return std::nullopt;
    // Evaluates text built at run time, as an expression with the string hint.
    return Evaluate(ctx, kKindString, *text->text, false);
  }
  if (name == "END") {
    ctx.stopRequested = true;
    ctx.controls->PostCloseRequest();
  }
  return std::nullopt;  // DOEVENTS as a call does nothing
}

}  // namespace quorl
