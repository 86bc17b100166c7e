// OPENURL, WEBURL and WEBNAME: the browser link as the script sees it.
#include "lang/builtin_handlers.h"
#include "lang/builtins.h"
#include "net/browser_link.h"

namespace quorl {

Result BrowserBuiltin(Context& ctx, std::string_view, std::string_view arguments) {
  const Result url = GetArgument(ctx, kKindString, arguments, 1);
  const Result postText = GetArgument(ctx, kKindString, arguments, 2);
  if (!url || !url->text || !postText || !postText->text) {
    ctx.RaiseScriptError("CAN'T CONVERT PARAMETERS!");
    return std::nullopt;
  }
  return Value::Boolean(OpenUrlInBrowser(ctx, *url->text, *postText->text));
}

std::optional<Result> BrowserVariable(Context& ctx, std::string_view name) {
  const bool wantsUrl = name == "WEBURL";
  if (!wantsUrl && name != "WEBNAME") return std::nullopt;
  const std::optional<std::string> answer = GetBrowserWindowInfo(ctx);
  if (!answer) return Result{};
  PageInfo page = SplitWindowInfo(*answer);
  return Value::String(wantsUrl ? std::move(page.url) : std::move(page.title));
}

}  // namespace quorl
