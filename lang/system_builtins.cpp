// MSG and MSGBOX, and the built-in variables that describe the system:
// SCREENX, SCREENY, CMDLINE, OPSYS, NOW and AUTHOR.
#include <array>
#include <cstdio>
#include <ctime>
#include <string>

#include "lang/builtin_handlers.h"
#include "lang/builtins.h"
#include "platform/dialogs.h"

namespace quorl {
namespace {

constexpr std::string_view kAuthorCredit = "Quorl, written by the Quorl developers";

// A name from the table, or "???" for a field outside it, so that a broken
// clock can never index past the table.
template <size_t N>
std::string_view NameAt(const std::array<std::string_view, N>& names, int index) {
  return index >= 0 && static_cast<size_t>(index) < N ? names[index] : "???";
}

// "Mon Jan 05 09:03:07 1998" and a line feed: English names, two-digit
// fields with leading zeros, a four-digit year.
std::string FormatNow(const std::tm& time) {
  static constexpr std::array<std::string_view, 7> kDays = {"Sun", "Mon", "Tue", "Wed",
                                                            "Thu", "Fri", "Sat"};
  static constexpr std::array<std::string_view, 12> kMonths = {
      "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::string_view day = NameAt(kDays, time.tm_wday);
  std::string_view month = NameAt(kMonths, time.tm_mon);
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%.3s %.3s %02d %02d:%02d:%02d %04lld\n", day.data(),
                month.data(), time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec,
                static_cast<long long>(time.tm_year) + 1900);
  return buffer;
}

Result MessageBoxBuiltin(Context& ctx, std::string_view arguments) {
  Result text = GetArgument(ctx, kKindString, arguments, 1);
  Result style = GetArgumentOr(ctx, kKindInteger, arguments, 2, "0");
  Result caption = GetArgumentOr(ctx, kKindString, arguments, 3, "\"Quorl\"");
  if (!text || !style || !caption) {
    ctx.RaiseScriptError("UNABLE TO CONVERT PARAMETERS");
    return std::nullopt;
  }
  // The style is the platform's own number and passes through unchanged.
  int button =
      ctx.dialogs.MessageBox(text->text.value_or(""), caption->text.value_or(""), style->integer);
  return Value::Integer(button);
}

}  // namespace

Result SystemBuiltin(Context& ctx, std::string_view name, std::string_view arguments) {
  if (name == "MSGBOX") return MessageBoxBuiltin(ctx, arguments);
  // MSG: without a text nothing is shown and no message is given.
  Result text = GetArgument(ctx, kKindString, arguments, 1);
  if (text) ctx.dialogs.MessageBox(text->text.value_or(""), "Message", platform::kMbOk);
  return std::nullopt;
}

std::optional<Result> SystemVariable(Context& ctx, std::string_view name) {
  if (name == "SCREENX") return Value::Integer(ctx.system.ScreenWidth());
  if (name == "SCREENY") return Value::Integer(ctx.system.ScreenHeight());
  if (name == "CMDLINE") return Value::String(ctx.commandLineText);
  if (name == "OPSYS") return Value::String("Win32");
  if (name == "NOW") return Value::String(FormatNow(ctx.system.LocalTime()));
  if (name == "AUTHOR") return Value::String(std::string(kAuthorCredit));
  return std::nullopt;
}

}  // namespace quorl
