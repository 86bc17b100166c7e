// The web client as a program meets it, through the interpreter program:
// the same programs, transcripts and request bytes for the native `quorl`
// and for quorl.exe under Wine. Servers on loopback, started by the tests;
// https:// against nginx with TLS on certificates of the test's own
// authority, trusted through the "CAFile" key, and once through the
// system's store.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <random>

#include "hosted_program.h"
#include "server_process.h"
#include "tools/subprocess.h"
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

std::string SecureUrl(int port, std::string_view path) {
  return "\"https://localhost:" + std::to_string(port) + std::string(path) + "\"";
}

std::string TlsFailure(std::string_view reason) {
  return "Open Socket: Could not open a secure connection to:\n  localhost\n" +
         std::string(reason) + "\nMessage: 0\n";
}

class HostedNginxTest : public HostedFetchTest {
 protected:
  HostedNginxTest() {
    const std::string www = (folder_.Path() / "nginx" / "www").string();
    auto server = [&](int port, const std::string& settings) {
      return "  server { listen 127.0.0.1:" + std::to_string(port) + settings + " }\n";
    };
    auto tls = [&](int port, const CertificateFiles& files) {
      return server(port, " ssl; ssl_certificate " + files.certificate.string() +
                              "; ssl_certificate_key " + files.key.string() + "; root " + www +
                              "; location /private/ { auth_basic \"Sales\"; auth_basic_user_file " +
                              www + "/../htpasswd; }");
    };
    nginx = std::make_unique<Nginx>(
        folder_.Path(), tls(good, authority.Issue("good", "localhost")) +
                            tls(expired, authority.Issue("expired", "localhost", -1)) +
                            tls(otherName, authority.Issue("other", "other.example")) +
                            tls(selfSigned, authority.Issue("self", "localhost", 30, true)) +
                            server(refusing, " ssl; ssl_reject_handshake on;"));
    plain = nginx->Port();
    program.Configure("CAFile", HostPath(authority.RootFile()));
  }

  TestAuthority authority{folder_.Path() / "pki"};
  const int good = FreeLoopbackPort(), expired = FreeLoopbackPort(), otherName = FreeLoopbackPort(),
            selfSigned = FreeLoopbackPort(), refusing = FreeLoopbackPort();
  int plain = 0;  // nginx's own server: plain http
  std::unique_ptr<Nginx> nginx;
};

TEST_F(HostedNginxTest, FilesArriveByteForByteAndAreReadAndAuthorizationAsksForTheRealm) {
  REQUIRE_SERVER(*nginx);
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::string large(5 * 1024 * 1024 + 17, '\0');
  std::mt19937 generator(7);
  for (char& byte : large) byte = static_cast<char>(generator());
  WriteFile(nginx->Www() / "all.bin", all);
  WriteFile(nginx->Www() / "large.bin", large);
  WriteFile(nginx->Www() / "empty.txt", "");
  WriteFile(nginx->Www() / "lines.txt", "alpha\r\nbeta\n\ngamma");
  nginx->AddUser("ann", "open sesame");
  WriteFile(nginx->Www() / "private" / "plan.txt", "the plan\n");
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
                                    "@", nginx->Url("")),
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
      program.Run("  MSG READDATA(OPENDATA(" + Quoted(nginx->Url("/private/plan.txt")) + ", \"\"))",
                  prompt + prompt + "Message: the plan\n", "ann\nwrong\nann\nopen sesame\n"));
}

TEST_F(HostedNginxTest, CacheIsReusedWhileYoungAndReplacedOnlyWhenComplete) {
  REQUIRE_SERVER(*nginx);
  WriteFile(nginx->Www() / "news.txt", "old news\n");
  // Each handle is closed before the file is fetched again: a file still open
  // cannot be replaced on every host. Young enough for one day; always
  // fetched for -1.
  const std::string fetch = ReplaceAll(R"(  H = OPENDATACACHE("@/news.txt", "", "NEWS.TXT", 1)
  MSG READDATA(H)
  MSG CLOSEDATA(H)
)",
                                       "@", nginx->Url(""));
  EXPECT_RUN(program.Run("  DIM H AS INTEGER\n" + fetch, "Message: old news\nMessage: 1\n"));
  WriteFile(nginx->Www() / "news.txt", "new news\n");
  EXPECT_RUN(program.Run("  DIM H AS INTEGER\n" + fetch + ReplaceAll(fetch, ", 1)", ", -1)"),
                         "Message: old news\nMessage: 1\nMessage: new news\nMessage: 1\n"));
  EXPECT_EQ(nginx->RequestCount(2), 2);
  // A failed download leaves the cached copy as it was and no partial file.
  nginx->Stop();
  EXPECT_RUN(program.Run(
      "  MSG OPENDATACACHE(" + Quoted(nginx->Url("/news.txt")) + ", \"\", \"NEWS.TXT\", -1)",
      "Windows Socket ErrorOpen Socket: Error communication on network:\n  Connection refused\n"
      "Message: 0\n"));
  EXPECT_EQ(ReadFile(program.Cache("NEWS.TXT")), "new news\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(program.Cache("")), {}), 1);
}

TEST_F(HostedNginxTest, RepliesAreHandledAsOverPlainHttpAndThroughAProxyTunnel) {
  REQUIRE_SERVER(*nginx);
  Tinyproxy proxy(folder_.Path(), good);
  REQUIRE_SERVER(proxy);
  std::string large;
  for (int64_t i = 0; large.size() < 3 * 1024 * 1024; ++i) large += std::to_string(i * 7919) + "\n";
  WriteFile(nginx->Www() / "large.txt", large);
  nginx->AddUser("ann", "open sesame");
  WriteFile(nginx->Www() / "private" / "plan.txt", "the plan\n");
  WriteFile(nginx->Www() / "page.txt", "end to end\n");
  // The scheme in any case; authorization and the cache as for http://.
  EXPECT_RUN(program.Run(
      ReplaceAll(R"(  MSG OPENDATACACHE("https://localhost:@/large.txt", "", "LARGE.TXT", -1)
  MSG READDATA(OPENDATACACHE("HTTPS://LocalHost:@/private/plan.txt", "", "PLAN.TXT", 1)))",
                 "@", std::to_string(good)),
      "Message: 1\nUser/Password Required: Enter username and password for "
      "Sales at \"LocalHost\".\nMessage: the plan\n",
      "ann\nopen sesame\n"));
  EXPECT_TRUE(ReadFile(program.Cache("LARGE.TXT")) == large) << "body differs";
  EXPECT_EQ(ReadFile(program.Cache("PLAN.TXT")), "the plan\n");

  // Through a proxy: plain http, a tunnel to the host, and one the proxy will not open.
  program.Configure("Proxy", "HTTP://127.0.0.1:" + std::to_string(proxy.Port()));
  const std::string other = "localhost:" + std::to_string(plain);
  EXPECT_RUN(program.Run(
      "  MSG READDATA(OPENDATA(\"http://127.0.0.1:" + std::to_string(plain) +
          "/page.txt\", \"\"))\n  MSG READDATA(OPENDATA(" + SecureUrl(good, "/page.txt") +
          ", \"\"))\n  MSG OPENDATA(\"https://" + other + "/\", \"\")",
      "Message: end to end\nMessage: end to end\nOpen Socket: The proxy did not open a tunnel "
      "to:\n  " +
          other + "\nIt answered: HTTP/1.0 403 Access violation\nMessage: 0\n"));
  const std::string log = proxy.Log("CONNECT localhost:" + std::to_string(good));
  EXPECT_NE(log.find("CONNECT localhost:" + std::to_string(good)), std::string::npos) << log;
  EXPECT_NE(log.find(":" + std::to_string(plain) + "/page.txt"), std::string::npos) << log;
  // The host sees the path alone, as without a proxy.
  EXPECT_EQ(nginx->RequestCount(5), 5);
}

TEST_F(HostedNginxTest, EveryFailedHandshakeIsShownAndNothingIsCached) {
  REQUIRE_SERVER(*nginx);
  WriteFile(nginx->Www() / "page.txt", "secret page\n");
  ScriptedServer cuttingOff([](ScriptedConnection& connection) { connection.Pause(100ms); });
  const std::vector<std::pair<int, std::string>> failures = {
      {expired, "The server's certificate has expired."},
      {otherName, "The server's certificate is for another host name."},
      {selfSigned, "The server's certificate is self-signed and not trusted."},
      {plain, "The server does not answer in TLS on this port (plain HTTP?)."},
      {refusing, "The server refused the secure handshake (tlsv1 unrecognized name)."},
      {cuttingOff.Port(), "The server closed the connection during the secure handshake."}};
  auto fetch = [](int port) {
    return "  MSG OPENDATACACHE(" + SecureUrl(port, "/page.txt") + ", \"\", \"P.TXT\", 1)\n";
  };
  std::string code, transcript;
  for (const auto& [port, reason] : failures) {
    code += fetch(port);
    transcript += TlsFailure(reason);
  }
  EXPECT_RUN(program.Run(code, transcript));
  program.Configure("CAFile", "");
  EXPECT_RUN(program.Run(
      fetch(good), TlsFailure("The server's certificate is not issued by a trusted authority.")));
  const std::string missing = HostPath(folder_.Path() / "no-such.pem");
  program.Configure("CAFile", missing);
  EXPECT_RUN(program.Run(
      fetch(good),
      TlsFailure("The certificate file named by CAFile in Quorl.INI cannot be read:\n  " +
                 missing)));
  EXPECT_FALSE(std::filesystem::exists(program.Cache("P.TXT")));
}

// The test's authority among the system's trusted roots for a moment: a file
// of its own beside the local certificates, and the store made again with it
// and, after its file and its own links are gone, without it. Nothing else
// there is touched; one test at a time changes the store (a lock file).
TEST_F(HostedNginxTest, TheSystemsRootsAreTrusted) {
  REQUIRE_SERVER(*nginx);
  const std::filesystem::path store = "/usr/local/share/ca-certificates", links = "/etc/ssl/certs";
  if (geteuid() != 0 || !std::filesystem::is_directory(store) ||
      !std::filesystem::exists("/usr/sbin/update-ca-certificates")) {
    GTEST_SKIP() << "the system's store can be changed by root only";
  }
  tools::ProcessRequest update;
  update.argv = {"/usr/sbin/update-ca-certificates"};
  const int lock = open("/tmp/quorl-system-roots.lock", O_CREAT | O_RDWR, 0600);
  flock(lock, LOCK_EX);
  const std::string name = "quorl-test-" + std::to_string(getpid());
  std::filesystem::copy_file(authority.RootFile(), store / (name + ".crt"));
  tools::RunProcess(update);
  WriteFile(nginx->Www() / "page.txt", "trusted by the system\n");
  program.Configure("CAFile", "");
  EXPECT_RUN(program.Run("  MSG READDATA(OPENDATA(" + SecureUrl(good, "/page.txt") + ", \"\"))",
                         "Message: trusted by the system\n"));
  std::filesystem::remove(store / (name + ".crt"));
  // The store drops links that lead nowhere only when something else
  // changes, so ours go here: the certificate's and the one named by its hash.
  for (const auto& entry : std::filesystem::directory_iterator(links)) {
    if (entry.is_symlink() &&
        std::filesystem::read_symlink(entry.path()).filename().string().starts_with(name)) {
      std::filesystem::remove(entry.path());
    }
  }
  tools::RunProcess(update);
  close(lock);
}

}  // namespace
}  // namespace quorl::nettest
