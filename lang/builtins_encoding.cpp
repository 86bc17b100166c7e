// ESCAPE, UNESCAPE, SPACETOPLUS, PLUSTOSPACE, TOBASE64 and FROMBASE64 wrap
// the web text encodings into string values.
#include "lang/builtin_handlers.h"
#include "lang/builtins.h"
#include "net/encodings.h"

namespace quorl {

Result EncodingBuiltin(Context& ctx, std::string_view name, std::string_view arguments) {
  Result argument = GetArgument(ctx, kKindString, arguments, 1);
  if (!argument) return std::nullopt;
  const std::string& text = *argument->text;
  // ESCAPE and TOBASE64 make longer texts than they are given.
  if (name == "ESCAPE") return ctx.TextValue(EscapeText(text));
  if (name == "UNESCAPE") return Value::String(UnescapeText(text));
  if (name == "SPACETOPLUS") return Value::String(SpaceToPlus(text));
  if (name == "PLUSTOSPACE") return Value::String(PlusToSpace(text));
  if (name == "TOBASE64") return ctx.TextValue(EncodeBase64(text));
  if (name == "FROMBASE64") return Value::String(DecodeBase64(text));
  return std::nullopt;
}

}  // namespace quorl
