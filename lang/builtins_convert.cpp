// CLNG, CINT, LNG, INT, CDBL, CSNG, DBL, SNG, CBOOL, BOOL, CSTR and STR: the
// argument evaluated with the wanted kind and converted to it.
#include "lang/builtin_handlers.h"
#include "lang/builtins.h"

namespace quorl {
namespace {

int32_t TargetKind(std::string_view name) {
  if (name == "CLNG" || name == "CINT" || name == "LNG" || name == "INT") return kKindInteger;
  if (name == "CDBL" || name == "CSNG" || name == "DBL" || name == "SNG") return kKindDouble;
  if (name == "CBOOL" || name == "BOOL") return kKindBoolean;
  return kKindString;  // CSTR, STR
}

}  // namespace

// A missing argument gives no value without a message.
Result ConversionBuiltin(Context& ctx, std::string_view name, std::string_view arguments) {
  return GetArgument(ctx, TargetKind(name), arguments, 1);
}

}  // namespace quorl
