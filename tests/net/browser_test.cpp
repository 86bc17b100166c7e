// The browser link of the native build against a real headless Chromium:
// pages that nginx serves open in its tabs, the page variables read them,
// and post texts reach a scripted server field by field. (Without a browser
// the link's messages are a program test's transcript.)
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "chromium.h"
#include "lang/builtins.h"
#include "net/browser_link.h"
#include "net/encodings.h"
#include "net/quorl_config.h"
#include "net_client.h"
#include "platform/posix/devtools_browser.h"
#include "real_servers.h"
#include "scripted_server.h"

namespace quorl::nettest {
namespace {

using Fields = std::multimap<std::string, std::string>;

// The fields of a form-encoded body.
Fields FormFields(std::string_view body) {
  Fields fields;
  size_t start = 0;
  while (start < body.size()) {
    const size_t end = std::min(body.find('&', start), body.size());
    const std::string_view piece = body.substr(start, end - start);
    const size_t equals = std::min(piece.find('='), piece.size());
    fields.emplace(UnescapeText(PlusToSpace(piece.substr(0, equals))),
                   UnescapeText(PlusToSpace(piece.substr(std::min(equals + 1, piece.size())))));
    start = end + 1;
  }
  return fields;
}

class BrowserTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder_ = std::make_unique<tools::TemporaryDirectory>("quorl-chromium");
    chromium_ = std::make_unique<Chromium>(folder_->Path());
  }
  static void TearDownTestSuite() {
    chromium_.reset();
    folder_.reset();
  }

  BrowserTest() {
    client.ctx.network.readQuorlConfig = [this](std::string_view key) {
      return key == "DevTools" ? chromium_->Address() : std::string();
    };
    client.ctx.browser.client = &browser;
    StartBrowserLink(client.ctx);
  }
  ~BrowserTest() override { StopBrowserLink(client.ctx); }

  // OPENURL as a script calls it, the post text in a variable: 1 or 0.
  int64_t OpenUrl(const std::string& url, const std::string& postText) {
    EXPECT_TRUE(client.ctx.globals.Bind("POSTTEXT", Value::String(postText)));
    Result opened = CallBuiltin(client.ctx, "OPENURL", Quoted(url) + ", POSTTEXT");
    return opened ? opened->integer : -1;
  }
  std::string Variable(std::string_view name) {
    Result value = EvaluateOperand(client.ctx, kKindAny, name);
    return value ? *value->text : "(none)";
  }

  static inline std::unique_ptr<tools::TemporaryDirectory> folder_;
  static inline std::unique_ptr<Chromium> chromium_;
  NetClient client;
  platform::DevToolsBrowser browser{
      client.system, [this] { return ReadQuorlConfig(client.ctx, "DevTools"); },
      [this](const std::string& path) { client.ctx.tempFiles.Register(path, client.system); }};
};

TEST_F(BrowserTest, AnOpenedPageComesToTheFrontAndTheVariablesReadIt) {
  REQUIRE_SERVER(*chromium_);
  Nginx nginx{client.folder_.Path()};
  REQUIRE_SERVER(nginx);
  const std::string title = "Quorl \"test\", page";
  WriteFile(nginx.Www() / "page.html",
            "<html><head><title>" + title + "</title></head><body>hi</body></html>");
  const std::string url = nginx.Url("/page.html");

  EXPECT_EQ(OpenUrl(url, ""), 1);
  const platform::DevToolsTarget front = chromium_->AwaitFrontTab(
      [&](const platform::DevToolsTarget& tab) { return tab.url == url && tab.title == title; });
  EXPECT_EQ(front.url, url);
  EXPECT_EQ(front.title, title);
  EXPECT_EQ(Variable("WEBURL"), url);
  EXPECT_EQ(Variable("WEBNAME"), title);
  EXPECT_TRUE(client.Messages().empty());
}

TEST_F(BrowserTest, PostTextsArrivePostedFieldByField) {
  REQUIRE_SERVER(*chromium_);
  ScriptedServer server([](ScriptedConnection& connection) {
    connection.ReadRequest();
    connection.Send("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<title>Thanks</title>");
  });
  const std::string shortText = "name=Ann+Lee&sum=1%2B1%3D2&empty=&mark=%22q%22%2C&submit=go";
  // Long enough to go to the browser through a file.
  const std::string longText = "filler=" + std::string(300, 'x') + "&amp=a%26b&line=one%0D%0Atwo";
  EXPECT_EQ(OpenUrl(server.Url("/short"), shortText), 1);
  EXPECT_EQ(OpenUrl(server.Url("/long"), longText), 1);

  std::map<std::string, Fields> posted;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (posted.size() < 2 && std::chrono::steady_clock::now() < deadline) {
    for (const std::string& request : server.Requests()) {
      if (!request.starts_with("POST ")) continue;  // the browser asks for an icon too
      EXPECT_NE(request.find("Content-Type: application/x-www-form-urlencoded\r\n"),
                std::string::npos);
      posted[request.substr(5, request.find(' ', 5) - 5)] =
          FormFields(request.substr(request.find("\r\n\r\n") + 4));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(posted["/short"], (Fields{{"name", "Ann Lee"},
                                      {"sum", "1+1=2"},
                                      {"empty", ""},
                                      {"mark", "\"q\","},
                                      {"submit", "go"}}));
  EXPECT_EQ(posted["/long"],
            (Fields{{"filler", std::string(300, 'x')}, {"amp", "a&b"}, {"line", "one\r\ntwo"}}));
  // The long text's file stays registered with the pages that posted.
  const std::vector<std::string> files = client.TempFiles("QRL");
  EXPECT_EQ(files.size(), 3u);
  EXPECT_NE(std::ranges::find(files, longText), files.end());
  EXPECT_TRUE(client.Messages().empty());
  EXPECT_EQ(
      chromium_
          ->AwaitFrontTab([](const platform::DevToolsTarget& tab) { return tab.title == "Thanks"; })
          .url,
      server.Url("/long"));
}

}  // namespace
}  // namespace quorl::nettest
