#include "net/browser_link.h"

#include <chrono>
#include <fstream>

#include "net/quorl_config.h"
#include "platform/text_case.h"

namespace quorl {
namespace {

using platform::kNoConversation;

constexpr size_t kMaxShortRequest = 255;
// The item's quotes and fixed fields around the URL and the post text.
constexpr size_t kItemOverhead = 16;
constexpr std::chrono::milliseconds kWindowInfoTimeout{3000};
constexpr int kBoxStyle = platform::kMbOk | platform::kMbIconExclamation;

constexpr std::string_view kLongRequestWarning =
    "More than 255 characters being sent to Browser.\n"
    "Your browser may not support file based DDE communication.\n"
    "Contact your browser developer if this does not work.\n"
    "   (Netscape and Mosaic browsers do support this.)";

std::string ServiceName(NetworkContext& ctx) {
  std::string service = ReadQuorlConfig(ctx, "Service");
  return service.empty() ? "NETSCAPE" : service;
}

bool IsKnownBrowser(std::string_view service) {
  return platform::EqualIgnoringCase(service, "NETSCAPE") ||
         platform::EqualIgnoringCase(service, "MOSAIC");
}

// Writes the post text into a new registered temporary file, which the
// browser reads after OPENURL has returned; the ring deletes it later.
std::optional<std::string> WritePostFile(NetworkContext& ctx, std::string_view postText) {
  std::optional<std::string> path = ctx.system.CreateTempFile("QRL");
  if (!path) return std::nullopt;
  ctx.tempFiles.Register(*path, ctx.system);
  std::ofstream file(*path, std::ios::binary | std::ios::trunc);
  file.write(postText.data(), static_cast<std::streamsize>(postText.size()));
  file.close();
  if (!file) return std::nullopt;
  return path;
}

// The request item of WWW_OpenURL: the URL, no window name, any window (-1),
// no flags, the post text (or "^" and the file holding it) and no MIME type
// or progress server.
std::string OpenUrlItem(std::string_view url, std::string_view postField) {
  return "\"" + std::string(url) + "\",,-1,0,\"" + std::string(postField) + "\",,";
}

// One conversation on the topic, carrying one asynchronous request.
bool SendToBrowser(platform::DdeClient& client, const std::string& service, std::string_view topic,
                   std::string_view item) {
  const platform::DdeConversation conversation = client.Connect(service, topic);
  if (conversation == kNoConversation) return false;
  const bool started = client.StartRequest(conversation, item);
  client.Disconnect(conversation);
  return started;
}

// Text with its outer quotes removed and doubled quotes made single.
std::string Unquote(std::string_view field) {
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
    field = field.substr(1, field.size() - 2);
  }
  std::string text;
  for (size_t i = 0; i < field.size(); ++i) {
    text += field[i];
    if (field[i] == '"' && i + 1 < field.size() && field[i + 1] == '"') ++i;
  }
  return text;
}

}  // namespace

bool StartBrowserLink(NetworkContext& ctx) {
  BrowserLinkState& link = ctx.browser;
  if (link.started || !link.client) return link.started;
  link.started = link.client->Start();
  if (!link.started) ctx.RaiseScriptError("Could not start DDE client!");
  return link.started;
}

void StopBrowserLink(NetworkContext& ctx) {
  if (!ctx.browser.started) return;
  ctx.browser.client->Stop();
  ctx.browser.started = false;
  ctx.system.PumpMessages();
}

bool OpenUrlInBrowser(NetworkContext& ctx, std::string_view url, std::string_view postText) {
  BrowserLinkState& link = ctx.browser;
  const std::string service = ServiceName(ctx);
  const bool longRequest = postText.size() + url.size() + kItemOverhead > kMaxShortRequest;
  if (longRequest && !IsKnownBrowser(service) && !link.longRequestWarningShown) {
    ctx.dialogs.MessageBox(kLongRequestWarning, "Quorl", kBoxStyle);
    link.longRequestWarningShown = true;
  }

  bool opened = false;
  if (link.started) {
    std::optional<std::string> item = OpenUrlItem(url, postText);
    if (longRequest) {
      const std::optional<std::string> file = WritePostFile(ctx, postText);
      item = file ? std::optional(OpenUrlItem(url, "^" + *file)) : std::nullopt;
    }
    opened = item && SendToBrowser(*link.client, service, "WWW_OpenURL", *item);
    // Whether the browser comes to the front does not change the result.
    if (opened) SendToBrowser(*link.client, service, "WWW_Activate", "-1,0");
  }
  if (!opened) {
    ctx.dialogs.MessageBox(
        "Could not connect with:  " + service + "\nPlease start your web browser and try again.",
        "Quorl", kBoxStyle);
  }
  return opened;
}

std::optional<std::string> GetBrowserWindowInfo(NetworkContext& ctx) {
  BrowserLinkState& link = ctx.browser;
  const std::string service = ServiceName(ctx);
  std::optional<std::string> answer;
  if (link.started) {
    const platform::DdeConversation conversation =
        link.client->Connect(service, "WWW_GetWindowInfo");
    if (conversation != kNoConversation) {
      answer = link.client->Request(conversation, "-1", kWindowInfoTimeout);
      link.client->Disconnect(conversation);
    }
  }
  if (!answer) {
    ctx.dialogs.MessageBox("No page opened or browser not running:  " + service +
                               "\nPlease start your web browser or open a page and try again.",
                           "Quorl", kBoxStyle);
  }
  return answer;
}

PageInfo SplitWindowInfo(std::string_view answer) {
  bool quoted = false;
  size_t comma = answer.size();
  for (size_t i = 0; i < answer.size(); ++i) {
    if (answer[i] == '"') quoted = !quoted;
    if (answer[i] == ',' && !quoted) {
      comma = i;
      break;
    }
  }
  const std::string_view rest = comma < answer.size() ? answer.substr(comma + 1) : "";
  return {Unquote(answer.substr(0, comma)), Unquote(rest)};
}

}  // namespace quorl
