// The web client as a program meets it, through the interpreter program:
// the same programs, transcripts and request bytes for the native `quorl`
// and for quorl.exe under Wine. Servers on loopback, started by the tests.
#include <gtest/gtest.h>

#include <random>

#include "hosted_program.h"
#include "scripted_server.h"
#include "server_process.h"
#include "tools/temporary_directory.h"

namespace quorl::nettest {
namespace {

class HostedFetchTest : public ::testing::Test {
 protected:
  tools::TemporaryDirectory folder_{"quorl-hosted-net"};
  HostedProgram program{folder_.Path() / "work"};
};

TEST_F(HostedFetchTest, RequestBytesDirectAndThroughAProxy) {
  ScriptedServer server(std::string("HTTP/1.0 200 OK\r\n\r\nok"));
  EXPECT_RUN(program.Run(ReplaceAll(R"(  DIM H AS INTEGER
  DIM E AS STRING
  E = CHR(13) & CHR(10)
  MSG READDATA(OPENDATA("@/dir/file.txt?x=1", ""))
  H = OPENDATA("@/form", "Content-Length: 3" & E & E & "a=1" & CHR(10))
  H = OPENDATA("@/form", "a=1")
  MSG OPENDATA("@/form", "host: virtual.example" & E & E))",
                                    "@", server.Url("")),
                         "Message: ok\nMessage: 4\n"));
  const std::string withBody = "Content-Length: 3\r\n\r\na=1\n";
  const std::string agent = "User-Agent: Quorl/0.0.4\r\n";
  const std::string host = "Host: 127.0.0.1:" + std::to_string(server.Port()) + "\r\n";
  EXPECT_EQ(server.Requests(),
            (std::vector<std::string>{
                "GET /dir/file.txt?x=1 HTTP/1.0 \r\n" + agent + host + "\r\n\r\n",
                // Ending in LF: the post text carries its own header end and body.
                "POST /form HTTP/1.0 \r\n" + agent + host + withBody + "\r\n",
                // Without LF at the end: two CR LF follow it.
                "POST /form HTTP/1.0 \r\n" + agent + host + "a=1\r\n\r\n",
                // A Host line of the script's own replaces ours.
                "POST /form HTTP/1.0 \r\n" + agent + "host: virtual.example\r\n\r\n\r\n"}));

  ScriptedServer proxy(std::string("HTTP/1.0 200 OK\r\n\r\nvia proxy"));
  program.Configure("Proxy", "  Http://127.0.0.1:" + std::to_string(proxy.Port()) + "  ");
  EXPECT_RUN(program.Run("  MSG READDATA(OPENDATA(\"HTTP://www.example.com:8080/a/b.txt\", \"\"))",
                         "Message: via proxy\n"));
  EXPECT_EQ(proxy.Requests(),
            std::vector<std::string>{"GET HTTP://www.example.com:8080/a/b.txt "
                                     "HTTP/1.0 \r\n" +
                                     agent + "Host: www.example.com:8080\r\n\r\n\r\n"});
}

TEST_F(HostedFetchTest, RepliesAreStoredWholeOrNotAtAllAndFailuresAreShown) {
  const std::vector<std::string> replies = {
      // No status line: the whole reply is the body.
      "first line\nsecond\r\nthird", std::string(1000, 'x') + "\nrest\r\n", "HTTP",
      // Cut short: nothing is stored.
      "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n" + std::string(50, 'b'),
      "HTTP/1.0 200 OK\r\nContent-Le", ""};
  std::vector<std::unique_ptr<ScriptedServer>> servers;
  std::string body;
  for (size_t i = 0; i < replies.size(); ++i) {
    servers.push_back(std::make_unique<ScriptedServer>(replies[i]));
    body += "  MSG OPENDATACACHE(" + Quoted(servers[i]->Url("/")) + ", \"\", \"R" +
            std::to_string(i) + ".TXT\", -1)\n";
  }
  const std::string closed = std::to_string(FreeLoopbackPort());
  body += "  MSG OPENDATA(\"http://127.0.0.1:" + closed +
          "/\", \"\")\n  MSG OPENDATA(\"http://nonexistent.invalid/x\", \"\")";
  EXPECT_RUN(program.Run(
      body,
      "Message: 1\nMessage: 2\nMessage: 3\nMessage: 0\nMessage: 0\nMessage: 0\n"
      "Windows Socket ErrorOpen Socket: Error communication on network:\n  Connection refused\n"
      "Message: 0\nOpen Socket: Could not determine network (IP) address for:\n"
      "  nonexistent.invalid\nMessage: 0\n"));
  for (size_t i = 0; i < replies.size(); ++i) {
    const std::filesystem::path cached = program.Cache("R" + std::to_string(i) + ".TXT");
    EXPECT_EQ(std::filesystem::exists(cached) ? ReadFile(cached) : "(none)",
              i < 3 ? replies[i] : "(none)");
  }
}

class HostedNginxTest : public HostedFetchTest {
 protected:
  Nginx nginx{folder_.Path()};
};

TEST_F(HostedNginxTest, FilesArriveByteForByteAndAreReadAndAuthorizationAsksForTheRealm) {
  REQUIRE_SERVER(nginx);
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::string large(5 * 1024 * 1024 + 17, '\0');
  std::mt19937 generator(7);
  for (char& byte : large) byte = static_cast<char>(generator());
  WriteFile(nginx.Www() / "all.bin", all);
  WriteFile(nginx.Www() / "large.bin", large);
  WriteFile(nginx.Www() / "empty.txt", "");
  WriteFile(nginx.Www() / "lines.txt", "alpha\r\nbeta\n\ngamma");
  nginx.AddUser("ann", "open sesame");
  WriteFile(nginx.Www() / "private" / "plan.txt", "the plan\n");
  const std::string prompt =
      "User/Password Required: Enter username and password for Sales at \"127.0.0.1\".\n";
  // The last request's dialog is cancelled: the input ends.
  EXPECT_RUN(program.Run(ReplaceAll(R"(  MSG OPENDATACACHE("@/all.bin", "", "ALL.BIN", -1)
  MSG OPENDATACACHE("@/large.bin", "", "LARGE.BIN", -1)
  MSG OPENDATACACHE("@/empty.txt", "", "EMPTY.TXT", -1)
  MSG OPENDATACACHE("@/no/such/file", "", "MISSING.TXT", -1)
  DIM H AS INTEGER
  H = OPENDATA("@/lines.txt", "")
  WHILE EOFDATA(H) = FALSE
    MSG "[" & READDATA(H) & "]"
  WEND
  MSG READDATA(H)
  MSG REOPENDATA(H)
  MSG READDATA(H)
  MSG CLOSEDATA(H)
  MSG CLOSEDATA(H)
  MSG OPENDATA("@/private/plan.txt", ""))",
                                    "@", nginx.Url("")),
                         "Message: 1\nMessage: 2\nMessage: 3\nMessage: 4\n"
                         "Message: [alpha]\nMessage: [beta]\nMessage: []\nMessage: [gamma]\n"
                         "Quorl: EOF\nMSG READDATA(H)\nMessage: \n"
                         "Message: 1\nMessage: alpha\nMessage: 1\n"
                         "Quorl: INVALID DATA HANDLE!\nMSG CLOSEDATA(H)\nMessage: 0\n" +
                             prompt + "Message: 0\n"));
  EXPECT_EQ(ReadFile(program.Cache("ALL.BIN")), all);
  EXPECT_TRUE(ReadFile(program.Cache("LARGE.BIN")) == large) << "large file differs";
  EXPECT_EQ(ReadFile(program.Cache("EMPTY.TXT")), "");
  // An error page is stored like any other reply.
  EXPECT_NE(ReadFile(program.Cache("MISSING.TXT")).find("404 Not Found"), std::string::npos);
  // A wrong password is asked again, then the right one.
  EXPECT_RUN(
      program.Run("  MSG READDATA(OPENDATA(" + Quoted(nginx.Url("/private/plan.txt")) + ", \"\"))",
                  prompt + prompt + "Message: the plan\n", "ann\nwrong\nann\nopen sesame\n"));
}

TEST_F(HostedNginxTest, CacheIsReusedWhileYoungAndReplacedOnlyWhenComplete) {
  REQUIRE_SERVER(nginx);
  WriteFile(nginx.Www() / "news.txt", "old news\n");
  // Each handle is closed before the file is fetched again: a file still open
  // cannot be replaced on every host. Young enough for one day; always
  // fetched for -1.
  const std::string fetch = ReplaceAll(R"(  H = OPENDATACACHE("@/news.txt", "", "NEWS.TXT", 1)
  MSG READDATA(H)
  MSG CLOSEDATA(H)
)",
                                       "@", nginx.Url(""));
  EXPECT_RUN(program.Run("  DIM H AS INTEGER\n" + fetch, "Message: old news\nMessage: 1\n"));
  WriteFile(nginx.Www() / "news.txt", "new news\n");
  EXPECT_RUN(program.Run("  DIM H AS INTEGER\n" + fetch + ReplaceAll(fetch, ", 1)", ", -1)"),
                         "Message: old news\nMessage: 1\nMessage: new news\nMessage: 1\n"));
  EXPECT_EQ(nginx.RequestCount(2), 2);
  // A failed download leaves the cached copy as it was and no partial file.
  nginx.Stop();
  EXPECT_RUN(program.Run(
      "  MSG OPENDATACACHE(" + Quoted(nginx.Url("/news.txt")) + ", \"\", \"NEWS.TXT\", -1)",
      "Windows Socket ErrorOpen Socket: Error communication on network:\n  Connection refused\n"
      "Message: 0\n"));
  EXPECT_EQ(ReadFile(program.Cache("NEWS.TXT")), "new news\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(program.Cache("")), {}), 1);
}

}  // namespace
}  // namespace quorl::nettest
