#include "net/socket_layer.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "scripted_sockets.h"

namespace quorl {
namespace {

namespace socket_error = platform::socket_error;

using BoxList = std::vector<std::pair<std::string, std::string>>;

class SocketLayerTest : public ::testing::Test {
 protected:
  SocketLayerTest() {
    ctx.network.sockets = &sockets;
    ctx.network.readQuorlConfig = [this](std::string_view key) {
      return key == "Proxy" ? proxy : std::string();
    };
  }

  // Caption and text of each message box shown.
  BoxList Shown() const {
    BoxList boxes;
    for (const auto& box : fake.dialogs.boxes)
      boxes.emplace_back(box.caption.value_or(""), box.text);
    return boxes;
  }

  fakes::FakeContext fake;
  Context& ctx = fake.ctx;
  fakes::ScriptedSockets sockets;
  Connection connection{sockets, 7};
  std::string proxy;
};

// A TLS channel in name only: it hands on what the socket receives and, like
// a real one, cannot peek.
class PassingChannel : public platform::SecureChannel {
 public:
  PassingChannel(platform::SocketLibrary& sockets, int& shutdowns)
      : sockets_(sockets), shutdowns_(shutdowns) {}
  platform::SocketResult Send(std::string_view bytes) override { return sockets_.Send(7, bytes); }
  platform::SocketResult Receive(std::span<char> buffer) override {
    return sockets_.Receive(7, buffer, false);
  }
  void Shutdown() override { ++shutdowns_; }

 private:
  platform::SocketLibrary& sockets_;
  int& shutdowns_;
};

TEST_F(SocketLayerTest, StartFailuresAreShownAndTheStartupFailureOnlyOnce) {
  ctx.network.sockets = nullptr;
  EXPECT_EQ(StartSocketDLL(ctx), 0);
  ctx.network.sockets = &sockets;
  sockets.startOutcome = platform::SocketLibrary::StartOutcome::kEntryPointMissing;
  EXPECT_EQ(StartSocketDLL(ctx), 0);
  sockets.startOutcome = platform::SocketLibrary::StartOutcome::kStartupFailed;
  sockets.startError = 10091;
  EXPECT_EQ(StartSocketDLL(ctx), 0);
  EXPECT_EQ(StartSocketDLL(ctx), 0);
  EXPECT_FALSE(ctx.network.libraryStarted);

  const BoxList boxes = Shown();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].first, "Start Socket DLL");
  EXPECT_EQ(boxes[0].second.rfind("Unable to load Windows socket library", 0), 0u);
  EXPECT_EQ(boxes[1].second.rfind("One or more necessary functions not found", 0), 0u);
  EXPECT_EQ(boxes[2], (std::pair<std::string, std::string>{
                          "Windows Socket ErrorStartSocketDLL()",
                          "Error communication on network:\n  System not ready"}));
  EXPECT_EQ(boxes[3].second,
            "Unable to initialize Windows socket library (WINSOCK.DLL)!\n"
            "Network functions of Quorl will not work.");

  sockets.startOutcome = platform::SocketLibrary::StartOutcome::kStarted;
  EXPECT_EQ(StartSocketDLL(ctx), 1);
  EXPECT_TRUE(ctx.network.libraryStarted);
  StopSocketDLL(ctx);
  EXPECT_FALSE(ctx.network.libraryStarted);
}

TEST_F(SocketLayerTest, OpenSocketFailuresNameWhatWasConnectedTo) {
  bool viaProxy = false;
  proxy = "nowhere.invalid:8080";
  EXPECT_EQ(OpenSocket(ctx, "www.example.com", 80, viaProxy), platform::kNoSocket);
  EXPECT_EQ(sockets.opened, 0);

  proxy.clear();
  sockets.connectError = socket_error::kConnectionRefused;
  EXPECT_EQ(OpenSocket(ctx, "127.0.0.1", 1, viaProxy), platform::kNoSocket);
  sockets.connectError = socket_error::kTimedOut;
  EXPECT_EQ(OpenSocket(ctx, "127.0.0.1", 1, viaProxy), platform::kNoSocket);
  ReportSocketError(ctx, 12345, "Get Data");
  // A connect stopped by the user shows nothing.
  sockets.connectError = socket_error::kInterrupted;
  sockets.whileConnecting = [this] { ctx.network.abort = true; };
  EXPECT_EQ(OpenSocket(ctx, "127.0.0.1", 80, viaProxy), platform::kNoSocket);
  EXPECT_EQ(sockets.closed, 3);  // no socket is left open

  EXPECT_EQ(
      Shown(),
      (BoxList{{"Open Socket", "Could not determine network (IP) address for:\n  nowhere.invalid"},
               {"Windows Socket ErrorOpen Socket",
                "Error communication on network:\n  Connection refused"},
               {"Open Socket", "Server is not responding or network is down:\n  127.0.0.1"},
               {"Windows Socket ErrorGet Data", "Error communication on network:\n  Unknown"}}));
}

TEST_F(SocketLayerTest, GetLineTakesExactlyOneWholeLineHoweverItArrives) {
  // The same over a secure channel, whose peeks the connection keeps itself.
  for (const bool secure : {false, true}) {
    Connection link(sockets, 7);
    int shutdowns = 0;
    if (secure) link.UseChannel(std::make_unique<PassingChannel>(sockets, shutdowns));
    sockets.arrivals = {"HTT", "P/1.0 200 OK\r", "\nContent-Length: 3\r\n\r\nabc", "defg"};
    std::string line;
    std::string raw;
    EXPECT_EQ(GetLine(ctx, link, line, [&raw](std::string_view bytes) { raw += bytes; }), 17);
    EXPECT_EQ(line, "HTTP/1.0 200 OK");
    EXPECT_EQ(raw, "HTTP/1.0 200 OK\r\n");
    EXPECT_EQ(GetLine(ctx, link, line), 19);
    EXPECT_EQ(line, "Content-Length: 3");
    EXPECT_EQ(GetLine(ctx, link, line), 2);
    EXPECT_EQ(line, "\r\n");  // the empty line stays as it is
    std::string body;
    EXPECT_EQ(GetData(ctx, link, body, 2), 2);
    EXPECT_EQ(GetData(ctx, link, body, 4096), 1);
    EXPECT_EQ(body, "c");
    EXPECT_EQ(GetData(ctx, link, body, 4096), 4);
    EXPECT_EQ(GetLine(ctx, link, line), kReceiveClosed);
    sockets.closed = 0;
    CloseSocket(ctx, link);
    CloseSocket(ctx, link);
    EXPECT_EQ(sockets.closed, 1);
    EXPECT_EQ(shutdowns, secure ? 1 : 0);
  }
  EXPECT_TRUE(Shown().empty());
}

TEST_F(SocketLayerTest, LineTextIsTrimmedCutAtNulAndKeptTo255Characters) {
  // Trimming stops at 2 characters; a NUL ends the text, not the line; a long
  // line is taken whole however it arrives.
  const std::string longLine = std::string(250, 'a') + "Content-Length: 9" + std::string(33, 'b');
  sockets.arrivals = {
      "x \r\na\r\n" + std::string("ab\0Content-Length: 1\r\n", 22) + longLine.substr(0, 100),
      longLine.substr(100) + "\r\nnext\r\n"};
  std::string line;
  GetLine(ctx, connection, line);
  EXPECT_EQ(line, "x ");
  GetLine(ctx, connection, line);
  EXPECT_EQ(line, "a\r");
  EXPECT_EQ(GetLine(ctx, connection, line), 22);
  EXPECT_EQ(line, "ab");
  EXPECT_EQ(GetLine(ctx, connection, line), 302);
  EXPECT_EQ(line, longLine.substr(0, 255));
  EXPECT_EQ(GetLine(ctx, connection, line), 6);
  EXPECT_EQ(line, "next");
}

TEST_F(SocketLayerTest, ReceiveResults) {
  std::string block;
  sockets.arrivals = {std::string(70000, 'z')};
  EXPECT_EQ(GetData(ctx, connection, block, 100000), 65536);  // at most 64 KiB at once
  EXPECT_EQ(GetData(ctx, connection, block, 10000), 4464);
  std::string line;
  sockets.arrivals = {"partial"};
  EXPECT_EQ(GetLine(ctx, connection, line), 7);  // the connection ends the last line
  EXPECT_EQ(line, "partial");

  sockets.receiveErrors = {socket_error::kWouldBlock};
  EXPECT_EQ(GetLine(ctx, connection, line), kReceiveStopped);
  sockets.receiveErrors = {socket_error::kConnectionReset};
  EXPECT_EQ(GetLine(ctx, connection, line), kReceiveFailed);
  sockets.receiveErrors = {socket_error::kConnectionReset};
  EXPECT_EQ(GetData(ctx, connection, block, 100), kReceiveFailed);
  ctx.network.abort = true;
  sockets.receiveErrors = {socket_error::kInterrupted};
  EXPECT_EQ(GetData(ctx, connection, block, 100), kReceiveStopped);

  EXPECT_EQ(Shown(), (BoxList{{"Windows Socket ErrorGet Line",
                               "Error communication on network:\n  Connection reset by peer"},
                              {"Windows Socket ErrorGet Data",
                               "Error communication on network:\n  Connection reset by peer"}}));
}

}  // namespace
}  // namespace quorl
