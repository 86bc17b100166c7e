// The client and the data-access built-ins against nginx and tinyproxy on
// loopback, started and stopped by the tests.
#include <gtest/gtest.h>

#include <random>

#include "net_client.h"
#include "real_servers.h"

namespace quorl::nettest {
namespace {

std::string RandomBytes(size_t count, unsigned seed) {
  std::mt19937 generator(seed);
  std::string bytes(count, '\0');
  for (char& byte : bytes) byte = static_cast<char>(generator() & 0xFF);
  return bytes;
}

class RealServerTest : public ::testing::Test {
 protected:
  NetClient client;
  Nginx nginx{client.folder_.Path()};
};

TEST_F(RealServerTest, FilesArriveByteForByte) {
  REQUIRE_SERVER(nginx);
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string large = RandomBytes(5 * 1024 * 1024 + 17, 7);
  WriteFile(nginx.Www() / "all.bin", all);
  WriteFile(nginx.Www() / "large.bin", large);
  WriteFile(nginx.Www() / "empty.txt", "");
  std::string body;
  EXPECT_EQ(client.Fetch(nginx.Url("/all.bin"), "", &body), 1);
  EXPECT_EQ(body, all);
  EXPECT_EQ(client.Fetch(nginx.Url("/large.bin"), "", &body), 1);
  EXPECT_TRUE(body == large) << "large file differs, size " << body.size();
  EXPECT_EQ(client.Fetch(nginx.Url("/empty.txt"), "", &body), 1);
  EXPECT_EQ(body, "");
  EXPECT_TRUE(client.Messages().empty());
}

TEST_F(RealServerTest, NotFoundPageIsStored) {
  REQUIRE_SERVER(nginx);
  std::string body;
  EXPECT_EQ(client.Fetch(nginx.Url("/no/such/file"), "", &body), 1);
  EXPECT_NE(body.find("404 Not Found"), std::string::npos);
  const std::vector<std::string> replies = client.TempFiles("QRC");
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_NE(replies[0].find("HTTP/1.1 404 Not Found\r\n"), std::string::npos);
}

TEST_F(RealServerTest, BasicAuthorizationAsksForTheRealm) {
  REQUIRE_SERVER(nginx);
  nginx.AddUser("ann", "open sesame");
  WriteFile(nginx.Www() / "private" / "plan.txt", "the plan\n");
  const std::string url = nginx.Url("/private/plan.txt");
  const std::string prompt = "Enter username and password for Sales at \"127.0.0.1\".";

  std::string body;
  client.dialogs.credentials = {std::nullopt};
  EXPECT_EQ(client.Fetch(url, "", &body), 0);
  EXPECT_EQ(client.dialogs.prompts, std::vector<std::string>{prompt});

  client.dialogs.prompts.clear();
  client.dialogs.credentials = {platform::Dialogs::Credentials{"ann", "wrong"},
                                platform::Dialogs::Credentials{"ann", "open sesame"}};
  EXPECT_EQ(client.Fetch(url, "", &body), 1);
  EXPECT_EQ(body, "the plan\n");
  EXPECT_EQ(client.dialogs.prompts, (std::vector<std::string>{prompt, prompt}));
  EXPECT_TRUE(client.Messages().empty());
}

TEST_F(RealServerTest, ScriptReadsLinesThroughTheBuiltins) {
  REQUIRE_SERVER(nginx);
  WriteFile(nginx.Www() / "lines.txt", "alpha\r\nbeta\n\ngamma");
  const Result handle = client.Call("OPENDATA", Quoted(nginx.Url("/lines.txt")) + ", \"\"");
  ASSERT_TRUE(handle);
  ASSERT_NE(handle->integer, 0);
  const std::string h = std::to_string(handle->integer);
  std::vector<std::string> lines;
  while (client.Call("EOFDATA", h)->integer == 0)
    lines.push_back(*client.Call("READDATA", h)->text);
  EXPECT_EQ(lines, (std::vector<std::string>{"alpha", "beta", "", "gamma"}));
  EXPECT_EQ(*client.Call("READDATA", h)->text, "");
  EXPECT_EQ(client.Call("REOPENDATA", h)->integer, 1);
  EXPECT_EQ(*client.Call("READDATA", h)->text, "alpha");
  EXPECT_EQ(client.Call("CLOSEDATA", h)->integer, 1);
  EXPECT_EQ(client.Call("CLOSEDATA", h)->integer, 0);
  EXPECT_EQ(client.Messages(),
            (std::vector<std::string>{"Quorl: EOF", "Quorl: INVALID DATA HANDLE!"}));
}

TEST_F(RealServerTest, CacheIsReusedWhileYoungAndReplacedOnlyWhenComplete) {
  REQUIRE_SERVER(nginx);
  WriteFile(nginx.Www() / "news.txt", "old news\n");
  const std::string url = Quoted(nginx.Url("/news.txt"));
  auto firstLine = [&](const std::string& arguments) {
    const Result handle = client.Call("OPENDATACACHE", arguments);
    if (!handle || handle->integer == 0) return std::string("(none)");
    const std::string h = std::to_string(handle->integer);
    std::string line = *client.Call("READDATA", h)->text;
    client.Call("CLOSEDATA", h);
    return line;
  };
  EXPECT_EQ(firstLine(url + ", \"\", \"NEWS.TXT\", 1"), "old news");
  EXPECT_EQ(ReadFile(client.Work() / "cache" / "NEWS.TXT"), "old news\n");
  const int served = nginx.RequestCount(1);
  EXPECT_EQ(served, 1);

  WriteFile(nginx.Www() / "news.txt", "new news\n");
  EXPECT_EQ(firstLine(url + ", \"\", \"NEWS.TXT\", 1"), "old news");  // young enough
  EXPECT_EQ(nginx.RequestCount(served + 1), served);
  EXPECT_EQ(firstLine(url + ", \"\", \"NEWS.TXT\", -1"), "new news");  // always fetched

  // A failed download leaves the cached copy as it was and no partial file.
  nginx.Stop();
  EXPECT_EQ(firstLine(url + ", \"\", \"NEWS.TXT\", -1"), "(none)");
  EXPECT_EQ(ReadFile(client.Work() / "cache" / "NEWS.TXT"), "new news\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(client.Work() / "cache"),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(RealServerTest, CacheNamesAreCheckedBeforeAnyTransfer) {
  REQUIRE_SERVER(nginx);
  const std::string url = Quoted(nginx.Url("/x.txt"));
  EXPECT_FALSE(client.Call("OPENDATACACHE", url + ", \"\", \"../ESC.TXT\", 1"));
  EXPECT_FALSE(client.Call("OPENDATACACHE", url + ", \"\", \"SETUP.exe\", 1"));
  EXPECT_FALSE(client.Call("OPENDATACACHE", url + ", \"\", \"ABCDEFGHI.TXT\", 1"));
  EXPECT_FALSE(client.Call("LOADFRX", url + ", \"\", \"FORM.TXT\", 1"));
  EXPECT_EQ(client.Messages(),
            (std::vector<std::string>{
                "Quorl: ILLEGAL CACHE FILE NAME!\nPATHS AND .. NOT ALLOWED!\n",
                "Quorl: ILLEGAL EXTENSION FOR FILE!\nEXE,DLL,VBX,SYS,COM,BAT,386,VXD,DRV NOT "
                "ALLOWED!\n",
                "Quorl: FILE NAME TOO LONG!", "Quorl: FRX FILE NAME MUST END IN .FRX!"}));
  EXPECT_EQ(nginx.RequestCount(1), 0);
  EXPECT_FALSE(std::filesystem::exists(client.Work() / ".." / "ESC.TXT"));
}

TEST_F(RealServerTest, ForwardProxyCarriesTheRequest) {
  REQUIRE_SERVER(nginx);
  Tinyproxy proxy(client.folder_.Path());
  REQUIRE_SERVER(proxy);
  WriteFile(nginx.Www() / "proxied.txt", "through the proxy\n");
  client.proxy = "HTTP://127.0.0.1:" + std::to_string(proxy.Port());
  std::string body;
  EXPECT_EQ(client.Fetch(nginx.Url("/proxied.txt"), "", &body), 1);
  EXPECT_EQ(body, "through the proxy\n");
  EXPECT_NE(proxy.Log("/proxied.txt").find("/proxied.txt"), std::string::npos);
  EXPECT_EQ(nginx.RequestCount(1), 1);
  EXPECT_TRUE(client.Messages().empty());
}

}  // namespace
}  // namespace quorl::nettest
