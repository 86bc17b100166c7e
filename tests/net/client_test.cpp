// The web client inside the interpreter, where a test needs its hooks: a
// Context on the real sockets with recorded message boxes, scripted answers
// to the user/password dialog and a hook into the message pump. Against a
// scripted server: the exact bytes of each request and replies that real
// servers would not send; against a real headless Chromium: the browser link.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <thread>

#include "lang/builtins.h"
#include "lang/context.h"
#include "net/browser_link.h"
#include "net/http_client.h"
#include "net/quorl_config.h"
#include "net/socket_layer.h"
#include "platform/posix/devtools_browser.h"
#include "platform/posix/openssl_channels.h"
#include "platform/posix/posix_sockets.h"
#include "platform/posix/posix_system.h"
#include "server_process.h"
#include "tests/unit/fakes.h"
#include "tools/temporary_directory.h"

namespace quorl::nettest {
namespace {

class PumpedSystem : public platform::PosixSystem {
 public:
  explicit PumpedSystem(std::filesystem::path temp) : temp_(std::move(temp)) {}
  std::string TempDirectory() override { return temp_.string() + "/"; }
  void PumpMessages() override {
    if (onPump) onPump();
  }
  std::function<void()> onPump;  // what a nested event procedure would do

 private:
  std::filesystem::path temp_;
};

class ScriptedDialogs : public fakes::FakeDialogs {
 public:
  std::optional<Credentials> AskUserPassword(std::string_view prompt) override {
    prompts.emplace_back(prompt);
    if (credentials.empty()) return std::nullopt;
    const std::optional<Credentials> answer = credentials.front();
    credentials.pop_front();
    return answer;
  }
  std::deque<std::optional<Credentials>> credentials;
  std::vector<std::string> prompts;
};

// Works in a folder of its own, which holds its temporary files and is the
// current folder (the download cache lives under it) while the client lives.
class NetClient {
 public:
  NetClient() {
    std::filesystem::current_path(folder_.Path());
    ctx.PushFrame();
    ctx.network.sockets = &sockets;
    ctx.network.timeouts.connect = 5s;
    ctx.network.timeouts.idle = 10s;
    ctx.network.tls = &tls;
  }
  ~NetClient() { std::filesystem::current_path(previousFolder_); }

  // NetworkRequest into a fresh output file; the file's content in body.
  int Fetch(const std::string& url, std::string* body = nullptr) {
    const std::filesystem::path output = folder_.Path() / "output.bin";
    std::filesystem::remove(output);
    const int result = NetworkRequest(ctx, url, "", output.string());
    if (body) *body = ReadFile(output);
    return result;
  }
  // A built-in called with the argument text as a script writes it.
  Result Call(std::string_view name, std::string_view arguments) {
    return CallBuiltin(ctx, name, arguments);
  }
  // "caption: text" of each message box shown.
  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    for (const auto& box : dialogs.boxes) {
      // Script errors end with the running line, which is empty here.
      const std::string_view text(box.text);
      messages.push_back(box.caption.value_or("") + ": " +
                         std::string(text.substr(0, text.size() - text.ends_with('\n'))));
    }
    return messages;
  }
  // The contents of the registered temporary files whose names start with
  // prefix, in the order of registration.
  std::vector<std::string> TempFiles(const std::string& prefix) const {
    std::vector<std::string> contents;
    for (int slot = 0; slot < TempFileRing::kSlotCount; ++slot) {
      const std::optional<std::string>& name = ctx.tempFiles.Slot(slot);
      if (name && std::filesystem::path(*name).filename().string().starts_with(prefix)) {
        contents.push_back(ReadFile(*name));
      }
    }
    return contents;
  }
  std::filesystem::path previousFolder_ = std::filesystem::current_path();
  tools::TemporaryDirectory folder_{"quorl-net"};
  PumpedSystem system{folder_.Path()};
  ScriptedDialogs dialogs;
  platform::PosixSockets sockets;
  platform::OpenSslChannels tls;
  Context ctx{dialogs, system};
};

const std::string kRule(60, '-');

TEST(ScriptedReplyTest, BothDumpsAndALongHeaderLineThatCannotInjectFurtherLines) {
  std::string crafted = "X-Filler: ";
  crafted += std::string(255 - crafted.size(), 'a');
  const std::string header = "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n" + crafted +
                             "Content-Length: 3\r\n" + crafted + "\r\n\r\n";
  ScriptedServer server(header + "0123456789");
  NetClient client;
  std::string body;
  EXPECT_EQ(client.Fetch(server.Url("/dir/file.txt?x=1"), &body), 1);
  EXPECT_EQ(body, "0123456789");
  EXPECT_EQ(client.TempFiles("QSN"),
            std::vector<std::string>{"Header of HTTP request:\r\n" + kRule +
                                     "\r\nGET /dir/file.txt?x=1 HTTP/1.0 \r\nUser-Agent: "
                                     "Quorl/0.0.4\r\nHost: 127.0.0.1:" +
                                     std::to_string(server.Port()) + "\r\n\r\n\r\n\r\n" + kRule +
                                     "\r\n"});
  // The line that would carry a second Content-Length is cut at 255 characters.
  EXPECT_EQ(client.TempFiles("QRC"),
            std::vector<std::string>{"Header of HTTP reply:\r\n" + kRule +
                                     "\r\nHTTP/1.0 200 OK\r\nContent-Length: 10\r\n" + crafted +
                                     "\r\n" + crafted + "\r\n\r\n" + kRule + "\r\n"});
  EXPECT_TRUE(client.Messages().empty());
  EXPECT_FALSE(client.ctx.network.busy || client.ctx.network.libraryStarted);
}

TEST(ScriptedReplyTest, ChallengesOtherThanBasicAreRefused) {
  for (const std::string header : {"WWW-Authenticate: Digest realm=\"x\"\r\n", "X-No: 1\r\n"}) {
    ScriptedServer server("HTTP/1.0 401 Unauthorized\r\n" + header + "\r\nbody");
    NetClient client;
    EXPECT_EQ(client.Fetch(server.Url("/")), 0);
    EXPECT_EQ(client.Messages(),
              std::vector<std::string>{
                  "Quorl: Authorization scheme not supported by Quorl (Only Basic supported)"});
    EXPECT_TRUE(client.dialogs.prompts.empty());
    EXPECT_EQ(server.Requests().size(), 1u);
  }
}

TEST(ScriptedReplyTest, NestedRetriesEachOwnTheirCredentials) {
  int connections = 0;
  ScriptedServer server([&connections](ScriptedConnection& connection) {
    connection.ReadRequest();
    connection.Send(++connections < 3
                        ? "HTTP/1.0 401 No\r\nWWW-Authenticate: Basic realm=\"R\"\r\n\r\n"
                        : "HTTP/1.0 200 OK\r\n\r\nin");
  });
  NetClient client;
  client.dialogs.credentials = {platform::Dialogs::Credentials{"ann", "first"},
                                platform::Dialogs::Credentials{"ann", "second"}};
  std::string body;
  EXPECT_EQ(client.Fetch(server.Url("/p"), &body), 1);
  EXPECT_EQ(body, "in");
  const std::string prompt = "Enter username and password for R at \"127.0.0.1\".";
  EXPECT_EQ(client.dialogs.prompts, (std::vector<std::string>{prompt, prompt}));
  const std::vector<std::string> requests = server.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].find("Authorization"), std::string::npos);
  EXPECT_NE(requests[1].find("Authorization: Basic YW5uOmZpcnN0\r\n"), std::string::npos);
  EXPECT_NE(requests[2].find("Authorization: Basic YW5uOnNlY29uZA==\r\n"), std::string::npos);
  // The request dumps never show a password.
  for (const std::string& dump : client.TempFiles("QSN")) {
    EXPECT_EQ(dump.find("first"), std::string::npos);
    EXPECT_EQ(dump.find("YW5u"), std::string::npos);
  }
  EXPECT_NE(client.TempFiles("QSN")[1].find("ann:********\r\nAuthorization: Basic ********\r\n"),
            std::string::npos);

  // A Cancel at the inner level ends every level.
  connections = 0;
  client.dialogs.credentials = {platform::Dialogs::Credentials{"ann", "first"}, std::nullopt};
  EXPECT_EQ(client.Fetch(server.Url("/p")), 0);
  EXPECT_EQ(server.Requests().size(), 5u);
}

TEST(ScriptedReplyTest, AStopOrTheIdleTimeoutEndsEveryWait) {
  ScriptedServer server([](ScriptedConnection& connection) {
    if (connection.ReadRequest().starts_with("GET /slow")) {
      connection.Send("HTTP/1.0 200 OK\r\nContent-Length: 9999\r\n\r\n" + std::string(1000, 'd'));
    }
    connection.Hold();
  });
  {
    NetClient client;
    client.ctx.network.timeouts.idle = 400ms;
    EXPECT_EQ(client.Fetch(server.Url("/")), 0);
    EXPECT_EQ(client.Messages(),
              std::vector<std::string>{"Windows Socket ErrorGet Line: Error communication on "
                                       "network:\n  Connection timed out"});
  }
  // A stop ends the wait for the body (keeping what arrived), for the
  // reply, and for the secure handshake alike.
  const std::string secure = "https://localhost:" + std::to_string(server.Port()) + "/";
  for (const std::string& url : {server.Url("/slow"), server.Url("/"), secure}) {
    NetClient client;
    std::string body;
    const auto start = std::chrono::steady_clock::now();
    client.system.onPump = [&] {
      if (std::chrono::steady_clock::now() - start > 200ms) AbortNetwork(client.ctx);
    };
    EXPECT_EQ(client.Fetch(url, &body), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s) << url;
    EXPECT_EQ(body, url.ends_with("slow") ? std::string(1000, 'd') : "") << url;
    EXPECT_TRUE(client.Messages().empty()) << url;
    EXPECT_FALSE(client.ctx.network.busy);
  }
}

TEST(ScriptedReplyTest, SecondRequestDuringATransferIsRefused) {
  ScriptedServer server([](ScriptedConnection& connection) {
    connection.ReadRequest();
    connection.Send("HTTP/1.0 200 OK\r\n\r\nfirst ");
    connection.Pause(300ms);
    connection.Send("done");
  });
  NetClient client;
  Result nested;
  client.system.onPump = [&] {
    if (!nested) nested = client.Call("OPENDATA", Quoted(server.Url("/other")) + ", \"\"");
  };
  std::string body;
  EXPECT_EQ(client.Fetch(server.Url("/"), &body), 1);
  EXPECT_EQ(body, "first done");
  ASSERT_TRUE(nested);
  EXPECT_EQ(nested->integer, 0);
  EXPECT_EQ(client.Messages(),
            std::vector<std::string>{"Quorl: NETWORK REQUEST ALREADY IN PROGRESS!"});
  EXPECT_EQ(server.Requests().size(), 1u);
}

// Records the icons that LOADFRX gives to the form's Image controls.
class RecordingImages : public FrxImageHost {
 public:
  std::vector<Image> images;
  std::vector<std::string> given;

  std::vector<Image> Images() override { return images; }
  void SetIcon(std::string_view name, const FrxIcon&) override { given.emplace_back(name); }
};

TEST(ScriptedReplyTest, LoadFrxFetchesIntoTheCacheAndFillsTheImages) {
  std::string picture = {'\xFE', '\x02', 0, 0};
  picture += std::string(126 + 512 + 128, '\x11');
  const std::string frx = "head" + picture + std::string("\xFF\x02..", 4);
  ScriptedServer server("HTTP/1.0 200 OK\r\n\r\n" + frx);
  NetClient client;
  RecordingImages images;
  images.images = {{"IMAGE1", 4}, {"IMAGE2", 4 + picture.size()}};
  client.ctx.frxImages = &images;
  const Result loaded =
      client.Call("LOADFRX", Quoted(server.Url("/form.frx")) + ", \"\", \"Form.frx\", 0");
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->integer, 1);
  EXPECT_EQ(images.given, std::vector<std::string>{"IMAGE1"});
  EXPECT_EQ(ReadFile("cache/Form.frx"), frx);
  EXPECT_TRUE(client.Messages().empty());
}

// The browser link of the native build against a real headless Chromium:
// post texts reach a scripted server field by field, and an opened page
// comes to the front and the page variables read it. (Without a browser the
// link's messages are a program test's transcript.)
TEST(BrowserTest, PostedTextsArriveFieldByFieldAndTheOpenedPageIsRead) {
  NetClient client;
  Chromium chromium(client.folder_.Path());
  REQUIRE_SERVER(chromium);
  Nginx nginx(client.folder_.Path());
  REQUIRE_SERVER(nginx);
  client.ctx.network.readQuorlConfig = [&](std::string_view key) {
    return key == "DevTools" ? chromium.Address() : std::string();
  };
  platform::DevToolsBrowser browser{
      client.system, [&] { return ReadQuorlConfig(client.ctx, "DevTools"); },
      [&](const std::string& path) { client.ctx.tempFiles.Register(path, client.system); }};
  client.ctx.browser.client = &browser;
  StartBrowserLink(client.ctx);
  const std::shared_ptr<void> stop(nullptr, [&](void*) { StopBrowserLink(client.ctx); });
  // OPENURL as a script calls it, the post text in a variable: 1 or 0.
  auto openUrl = [&](const std::string& url, const std::string& postText) {
    EXPECT_TRUE(client.ctx.globals.Bind("POSTTEXT", Value::String(postText)));
    const Result opened = client.Call("OPENURL", Quoted(url) + ", POSTTEXT");
    return opened ? opened->integer : -1;
  };

  ScriptedServer server("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<title>Thanks</title>");
  const std::string shortText = "name=Ann+Lee&sum=1%2B1%3D2&empty=&mark=%22q%22%2C&submit=go";
  // Long enough to go to the browser through a file.
  const std::string longText = "filler=" + std::string(300, 'x') + "&amp=a%26b&line=one%0D%0Atwo";
  EXPECT_EQ(openUrl(server.Url("/short"), shortText), 1);
  EXPECT_EQ(openUrl(server.Url("/long"), longText), 1);
  std::map<std::string, std::string> posted;
  Await(
      [&] {
        for (const std::string& request : server.Requests()) {
          if (!request.starts_with("POST ")) continue;  // the browser asks for an icon too
          EXPECT_NE(request.find("Content-Type: application/x-www-form-urlencoded\r\n"),
                    std::string::npos);
          posted[request.substr(5, request.find(' ', 5) - 5)] =
              request.substr(request.find("\r\n\r\n") + 4);
        }
        return posted.size() == 2;
      },
      10s);
  // The browser sends the fields as the post text gave them.
  EXPECT_EQ(posted["/short"], shortText);
  EXPECT_EQ(posted["/long"], longText);
  // The long text's file stays registered with the pages that posted.
  const std::vector<std::string> files = client.TempFiles("QRL");
  EXPECT_EQ(files.size(), 3u);
  EXPECT_NE(std::ranges::find(files, longText), files.end());
  EXPECT_EQ(chromium.AwaitFrontTab([](const auto& tab) { return tab.title == "Thanks"; }).url,
            server.Url("/long"));

  const std::string title = "Quorl \"test\", page";
  WriteFile(nginx.Www() / "page.html",
            "<html><head><title>" + title + "</title></head><body>hi</body></html>");
  const std::string url = nginx.Url("/page.html");
  EXPECT_EQ(openUrl(url, ""), 1);
  const platform::DevToolsTarget front = chromium.AwaitFrontTab(
      [&](const platform::DevToolsTarget& tab) { return tab.url == url && tab.title == title; });
  EXPECT_EQ(front.url, url);
  EXPECT_EQ(front.title, title);
  for (const auto& [variable, value] : {std::pair{"WEBURL", url}, {"WEBNAME", title}}) {
    const Result read = EvaluateOperand(client.ctx, kKindAny, variable);
    EXPECT_EQ(read ? *read->text : "(none)", value);
  }
  EXPECT_TRUE(client.Messages().empty());
}

}  // namespace
}  // namespace quorl::nettest
