// A stand-in for a web browser's DDE server (dde_test_server.exe SERVICE
// [ANSWER]) for the browser-link tests of quorl.exe under Wine. It serves
// WWW_OpenURL, WWW_Activate and WWW_GetWindowInfo under SERVICE and prints
// "connect SERVICE TOPIC" for each conversation, "request TOPIC ITEM" for
// each request, and "file TEXT" for the post text an OpenURL item hands over
// in a file ("^" and the path). Window information is ANSWER, or no data
// without one (no page shown). It prints "ready" once it can be reached and
// runs until it is ended, or for a minute at most.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace {

DWORD instance = 0;
std::optional<std::string> answer;  // the window information, when a page is shown

std::string Text(HSZ handle) {
  char text[1024] = "";
  DdeQueryStringA(instance, handle, text, sizeof text, CP_WINANSI);
  return text;
}

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

// The text of the file an OpenURL item names in its fifth field ("^path").
void SayPostedFile(const std::string& item) {
  const size_t start = item.find(",\"^");
  if (start == std::string::npos) return;
  const size_t end = item.find('"', start + 3);
  std::ifstream file(item.substr(start + 3, end - start - 3), std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  Say("file " + text.str());
}

HDDEDATA Data(const std::string& text, HSZ item) {
  return DdeCreateDataHandle(instance, reinterpret_cast<BYTE*>(const_cast<char*>(text.c_str())),
                             static_cast<DWORD>(text.size() + 1), 0, item, CF_TEXT, 0);
}

HDDEDATA CALLBACK Serve(UINT type, UINT, HCONV, HSZ first, HSZ second, HDDEDATA, ULONG_PTR,
                        ULONG_PTR) {
  if (type == XTYP_CONNECT) {
    const std::string topic = Text(first);
    Say("connect " + Text(second) + " " + topic);
    const bool known =
        topic == "WWW_OpenURL" || topic == "WWW_Activate" || topic == "WWW_GetWindowInfo";
    return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(known));
  }
  if (type == XTYP_REQUEST) {
    const std::string topic = Text(first);
    const std::string item = Text(second);
    Say("request " + topic + " " + item);
    if (topic == "WWW_OpenURL") SayPostedFile(item);
    if (topic != "WWW_GetWindowInfo") return Data("1", second);  // the browser's window
    return answer ? Data(*answer, second) : nullptr;
  }
  return nullptr;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc < 2) return 2;
  _setmode(_fileno(stdout), _O_BINARY);  // lines end in LF alone
  if (__argc > 2) answer = __argv[2];
  // Pokes, advises and executes are refused: the callback answers them with nothing.
  if (DdeInitializeA(&instance, Serve, APPCLASS_STANDARD, 0) != DMLERR_NO_ERROR) return 1;
  HSZ service = DdeCreateStringHandleA(instance, __argv[1], CP_WINANSI);
  if (!DdeNameService(instance, service, nullptr, DNS_REGISTER)) return 1;
  Say("ready");
  SetTimer(nullptr, 0, 60000, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER) {
    DispatchMessageA(&message);
  }
  return 0;
}
