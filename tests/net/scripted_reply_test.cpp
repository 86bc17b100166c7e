// The client against a scripted server: the exact bytes of each request, and
// replies that real servers would not send.
#include <gtest/gtest.h>

#include "net/socket_layer.h"
#include "net_client.h"
#include "scripted_server.h"
#include "server_process.h"

namespace quorl::nettest {
namespace {

using namespace std::chrono_literals;

const std::string kRule(60, '-');

TEST(ScriptedReplyTest, BothDumpsAndALongHeaderLineThatCannotInjectFurtherLines) {
  std::string crafted = "X-Filler: ";
  crafted += std::string(255 - crafted.size(), 'a');
  const std::string header = "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n" + crafted +
                             "Content-Length: 3\r\n" + crafted + "\r\n\r\n";
  ScriptedServer server(header + "0123456789");
  NetClient client;
  std::string body;
  EXPECT_EQ(client.Fetch(server.Url("/dir/file.txt?x=1"), "", &body), 1);
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
  for (const std::string& header : std::vector<std::string>{
           "WWW-Authenticate: Digest realm=\"x\"\r\n", std::string("X-Nothing: 1\r\n")}) {
    ScriptedServer server("HTTP/1.0 401 Unauthorized\r\n" + header + "\r\nbody");
    NetClient client;
    EXPECT_EQ(client.Fetch(server.Url("/"), ""), 0);
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
    if (++connections < 3) {
      connection.Send("HTTP/1.0 401 No\r\nWWW-Authenticate: Basic realm=\"R\"\r\n\r\n");
    } else {
      connection.Send("HTTP/1.0 200 OK\r\n\r\nin");
    }
  });
  NetClient client;
  client.dialogs.credentials = {platform::Dialogs::Credentials{"ann", "first"},
                                platform::Dialogs::Credentials{"ann", "second"}};
  std::string body;
  EXPECT_EQ(client.Fetch(server.Url("/p"), "", &body), 1);
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
  EXPECT_EQ(client.Fetch(server.Url("/p"), ""), 0);
  EXPECT_EQ(server.Requests().size(), 5u);
}

TEST(ScriptedReplyTest, StoppedBodyReturnsAtOnceAndKeepsWhatArrived) {
  ScriptedServer server([](ScriptedConnection& connection) {
    connection.ReadRequest();
    connection.Send("HTTP/1.0 200 OK\r\nContent-Length: 100000\r\n\r\n" + std::string(1000, 'd'));
    connection.Hold();
  });
  NetClient client;
  const auto start = std::chrono::steady_clock::now();
  client.system.onPump = [&] {
    if (std::chrono::steady_clock::now() - start > 300ms) AbortNetwork(client.ctx);
  };
  std::string body;
  EXPECT_EQ(client.Fetch(server.Url("/slow"), "", &body), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
  EXPECT_EQ(body, std::string(1000, 'd'));
  EXPECT_TRUE(client.Messages().empty());
  EXPECT_FALSE(client.ctx.network.busy);
}

TEST(ScriptedReplyTest, SilentServerTimesOutOrIsStopped) {
  ScriptedServer server([](ScriptedConnection& connection) {
    connection.ReadRequest();
    connection.Hold();
  });
  {
    NetClient client;
    client.ctx.network.timeouts.idle = 400ms;
    EXPECT_EQ(client.Fetch(server.Url("/"), ""), 0);
    EXPECT_EQ(client.Messages(),
              std::vector<std::string>{"Windows Socket ErrorGet Line: Error communication on "
                                       "network:\n  Connection timed out"});
  }
  // A stop ends the wait for the reply, and for the secure handshake alike.
  const std::string secure = "https://localhost:" + std::to_string(server.Port()) + "/";
  for (const std::string& url : {server.Url("/"), secure}) {
    NetClient client;
    const auto start = std::chrono::steady_clock::now();
    client.system.onPump = [&] {
      if (std::chrono::steady_clock::now() - start > 200ms) AbortNetwork(client.ctx);
    };
    EXPECT_EQ(client.Fetch(url, ""), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s) << url;
    EXPECT_TRUE(client.Messages().empty()) << url;
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
    if (nested) return;
    nested = client.Call("OPENDATA", Quoted(server.Url("/other")) + ", \"\"");
  };
  std::string body;
  EXPECT_EQ(client.Fetch(server.Url("/"), "", &body), 1);
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
  EXPECT_EQ(ReadFile(client.Work() / "cache" / "Form.frx"), frx);
  EXPECT_TRUE(client.Messages().empty());
}

}  // namespace
}  // namespace quorl::nettest
