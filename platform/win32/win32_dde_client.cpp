#include "platform/win32/win32_dde_client.h"

#include <string>
#include <vector>

namespace quorl::platform {
namespace {

// A client answers nothing the servers send it.
HDDEDATA CALLBACK IgnoreEverything(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}

HCONV ToConversation(DdeConversation conversation) {
  return reinterpret_cast<HCONV>(static_cast<uintptr_t>(conversation));
}

// A string handle that is freed when it goes.
class StringHandle {
 public:
  StringHandle(DWORD instance, std::string_view text)
      : instance_(instance),
        handle_(DdeCreateStringHandleA(instance, std::string(text).c_str(), CP_WINANSI)) {}
  ~StringHandle() {
    if (handle_) DdeFreeStringHandle(instance_, handle_);
  }
  StringHandle(const StringHandle&) = delete;
  StringHandle& operator=(const StringHandle&) = delete;
  HSZ get() const { return handle_; }

 private:
  DWORD instance_;
  HSZ handle_;
};

}  // namespace

bool Win32DdeClient::Start() {
  if (instance_) return true;
  DWORD instance = 0;
  if (DdeInitializeA(&instance, IgnoreEverything, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
    return false;
  }
  instance_ = instance;
  return true;
}

void Win32DdeClient::Stop() {
  if (instance_) DdeUninitialize(instance_);
  instance_ = 0;
}

DdeConversation Win32DdeClient::Connect(std::string_view service, std::string_view topic) {
  if (!instance_) return kNoConversation;
  StringHandle serviceName(instance_, service);
  StringHandle topicName(instance_, topic);
  HCONV conversation = DdeConnect(instance_, serviceName.get(), topicName.get(), nullptr);
  return static_cast<DdeConversation>(reinterpret_cast<uintptr_t>(conversation));
}

HDDEDATA Win32DdeClient::Transaction(DdeConversation conversation, std::string_view item,
                                     DWORD timeout, DWORD* transactionId) {
  if (!instance_ || conversation == kNoConversation) return nullptr;
  StringHandle itemName(instance_, item);
  return DdeClientTransaction(nullptr, 0, ToConversation(conversation), itemName.get(), CF_TEXT,
                              XTYP_REQUEST, timeout, transactionId);
}

bool Win32DdeClient::StartRequest(DdeConversation conversation, std::string_view item) {
  DWORD transactionId = 0;
  return Transaction(conversation, item, TIMEOUT_ASYNC, &transactionId) != nullptr;
}

std::optional<std::string> Win32DdeClient::Request(DdeConversation conversation,
                                                   std::string_view item,
                                                   std::chrono::milliseconds timeout) {
  HDDEDATA data = Transaction(conversation, item, static_cast<DWORD>(timeout.count()), nullptr);
  if (!data) return std::nullopt;
  DWORD size = DdeGetData(data, nullptr, 0, 0);
  std::vector<char> bytes(size + 1, '\0');
  DdeGetData(data, reinterpret_cast<LPBYTE>(bytes.data()), size, 0);
  DdeFreeDataHandle(data);
  return std::string(bytes.data());  // the text ends at its first NUL
}

void Win32DdeClient::Disconnect(DdeConversation conversation) {
  if (conversation != kNoConversation) DdeDisconnect(ToConversation(conversation));
}

}  // namespace quorl::platform
