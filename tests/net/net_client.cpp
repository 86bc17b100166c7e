#include "net_client.h"

#include "lang/builtin_handlers.h"
#include "net/http_client.h"

namespace quorl::nettest {

NetClient::NetClient() {
  std::filesystem::create_directories(folder_.Path() / "tmp");
  std::filesystem::create_directories(Work());
  previousFolder_ = std::filesystem::current_path();
  // The download cache lives under the current folder.
  std::filesystem::current_path(Work());
  ctx.PushFrame();
  ctx.network.sockets = &sockets;
  ctx.network.timeouts.connect = std::chrono::seconds(5);
  ctx.network.timeouts.idle = std::chrono::seconds(10);
  ctx.network.tls = &tls;
}

NetClient::~NetClient() {
  std::filesystem::current_path(previousFolder_);
}

int NetClient::Fetch(const std::string& url, const std::string& postText, std::string* body) {
  const std::filesystem::path output = folder_.Path() / "output.bin";
  std::filesystem::remove(output);
  const int result = NetworkRequest(ctx, url, postText, output.string());
  if (body) *body = ReadFile(output);
  return result;
}

Result NetClient::Call(std::string_view name, std::string_view arguments) {
  return DataBuiltin(ctx, name, arguments);
}

std::vector<std::string> NetClient::Messages() const {
  std::vector<std::string> messages;
  for (const auto& box : dialogs.boxes) {
    std::string text = box.text;
    // Script errors end with the running line, which is empty here.
    if (!text.empty() && text.back() == '\n') text.pop_back();
    messages.push_back(box.caption.value_or("") + ": " + text);
  }
  return messages;
}

std::vector<std::string> NetClient::TempFiles(const std::string& prefix) const {
  std::vector<std::string> contents;
  for (int slot = 0; slot < TempFileRing::kSlotCount; ++slot) {
    const std::optional<std::string>& name = ctx.tempFiles.Slot(slot);
    if (name && std::filesystem::path(*name).filename().string().starts_with(prefix)) {
      contents.push_back(ReadFile(*name));
    }
  }
  return contents;
}

}  // namespace quorl::nettest
