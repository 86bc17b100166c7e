// The download cache against nginx on loopback, inside the interpreter;
// the transfers themselves are tested through the program (hosted_*).
#include <gtest/gtest.h>

#include "net_client.h"
#include "real_servers.h"

namespace quorl::nettest {
namespace {

class RealServerTest : public ::testing::Test {
 protected:
  NetClient client;
  Nginx nginx{client.folder_.Path()};
};

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

}  // namespace
}  // namespace quorl::nettest
