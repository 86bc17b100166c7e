// https:// through the interpreter program, against nginx with TLS on
// loopback: certificates of the test's own authority, trusted through the
// "CAFile" key, and once through the system's store.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "hosted_program.h"
#include "scripted_server.h"
#include "server_process.h"
#include "tools/subprocess.h"
#include "tools/temporary_directory.h"

namespace quorl::nettest {
namespace {

std::string SecureUrl(int port, std::string_view path) {
  return "\"https://localhost:" + std::to_string(port) + std::string(path) + "\"";
}

std::string TlsFailure(std::string_view reason) {
  return "Open Socket: Could not open a secure connection to:\n  localhost\n" +
         std::string(reason) + "\nMessage: 0\n";
}

class HostedSecureTest : public ::testing::Test {
 protected:
  HostedSecureTest() {
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
                            server(plain, "; root " + www + ";") +
                            server(refusing, " ssl; ssl_reject_handshake on;"));
    program.Configure("CAFile", HostPath(authority.RootFile()));
  }

  tools::TemporaryDirectory folder_{"quorl-hosted-tls"};
  HostedProgram program{folder_.Path() / "work"};
  TestAuthority authority{folder_.Path() / "pki"};
  const int good = FreeLoopbackPort(), expired = FreeLoopbackPort(), otherName = FreeLoopbackPort(),
            selfSigned = FreeLoopbackPort(), plain = FreeLoopbackPort(),
            refusing = FreeLoopbackPort();
  std::unique_ptr<Nginx> nginx;
};

TEST_F(HostedSecureTest, RepliesAreHandledAsOverPlainHttpAndThroughAProxyTunnel) {
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

TEST_F(HostedSecureTest, EveryFailedHandshakeIsShownAndNothingIsCached) {
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
TEST_F(HostedSecureTest, TheSystemsRootsAreTrusted) {
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
