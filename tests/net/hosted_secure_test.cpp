// https:// through the interpreter program, against nginx with TLS on
// loopback: certificates of the test's own authority, trusted through the
// "CAFile" key, and once through the system's store.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "hosted_program.h"
#include "real_servers.h"
#include "scripted_server.h"
#include "test_certificates.h"
#include "tools/subprocess.h"
#include "tools/temporary_directory.h"

namespace quorl::nettest {
namespace {

using namespace std::chrono_literals;

std::string SecureUrl(int port, std::string_view path) {
  return "\"https://localhost:" + std::to_string(port) + std::string(path) + "\"";
}

std::string TlsFailure(std::string_view reason) {
  return "Open Socket: Could not open a secure connection to:\n  localhost\n" +
         std::string(reason) + "\n";
}

// The test's authority among the system's trusted roots for as long as the
// object lives: a file of its own beside the local certificates, and the
// system's store made again with it and, after its file and its own links
// are gone, without it. Nothing else there is touched. One test at a time
// changes the store (a lock file).
class SystemRoot {
 public:
  static constexpr const char* kFolder = "/usr/local/share/ca-certificates";
  static constexpr const char* kLinks = "/etc/ssl/certs";

  // Whether this run may change the system's store.
  static bool Possible() {
    return geteuid() == 0 && std::filesystem::is_directory(kFolder) &&
           std::filesystem::is_directory(kLinks) && FindProgram("update-ca-certificates");
  }

  explicit SystemRoot(const std::filesystem::path& certificate)
      : lock_(open("/tmp/quorl-system-roots.lock", O_CREAT | O_RDWR, 0600)),
        name_("quorl-test-" + std::to_string(getpid())) {
    flock(lock_, LOCK_EX);
    std::filesystem::copy_file(certificate, std::filesystem::path(kFolder) / (name_ + ".crt"));
    Update();
  }
  ~SystemRoot() {
    std::filesystem::remove(std::filesystem::path(kFolder) / (name_ + ".crt"));
    // The store drops links that lead nowhere only when something else
    // changes, so ours go here: the certificate's and the one named by its hash.
    const std::string link = name_ + ".pem";
    for (const auto& entry : std::filesystem::directory_iterator(kLinks)) {
      if (entry.is_symlink() && std::filesystem::read_symlink(entry.path()) == link) {
        std::filesystem::remove(entry.path());
      }
    }
    std::filesystem::remove(std::filesystem::path(kLinks) / link);
    Update();
    close(lock_);
  }
  SystemRoot(const SystemRoot&) = delete;
  SystemRoot& operator=(const SystemRoot&) = delete;

 private:
  static void Update() {
    tools::ProcessRequest request;
    request.argv = {"update-ca-certificates"};
    tools::RunProcess(request);
  }

  int lock_;
  std::string name_;
};

class HostedSecureTest : public ::testing::Test {
 protected:
  HostedSecureTest() {
    const std::string www = (folder_.Path() / "nginx" / "www").string();
    const std::string htpasswd = (folder_.Path() / "nginx" / "htpasswd").string();
    auto tlsServer = [&](int port, const CertificateFiles& files) {
      return "  server {\n    listen 127.0.0.1:" + std::to_string(port) +
             " ssl;\n    ssl_certificate " + files.certificate.string() +
             ";\n    ssl_certificate_key " + files.key.string() + ";\n    root " + www +
             ";\n    location /private/ { auth_basic \"Sales\"; auth_basic_user_file " + htpasswd +
             "; }\n  }\n";
    };
    const Validity expired{-48h, -24h};
    std::string servers = tlsServer(good, authority.Issue("good", "localhost"));
    servers += tlsServer(expired_, authority.Issue("expired", "localhost", expired));
    servers += tlsServer(otherName, authority.Issue("other", "other.example"));
    servers += tlsServer(selfSigned, authority.Issue("self", "localhost", {}, true));
    servers += "  server { listen 127.0.0.1:" + std::to_string(plain) + "; root " + www + "; }\n";
    servers += "  server { listen 127.0.0.1:" + std::to_string(refusing) +
               " ssl; ssl_reject_handshake on; }\n";
    nginx = std::make_unique<Nginx>(folder_.Path(), servers);
    program.Configure("CAFile", HostPath(authority.RootFile()));
  }

  tools::TemporaryDirectory folder_{"quorl-hosted-tls"};
  HostedProgram program{folder_.Path() / "work"};
  TestAuthority authority{folder_.Path() / "pki"};
  const int good = FreeLoopbackPort();
  const int expired_ = FreeLoopbackPort();
  const int otherName = FreeLoopbackPort();
  const int selfSigned = FreeLoopbackPort();
  const int plain = FreeLoopbackPort();
  const int refusing = FreeLoopbackPort();
  std::unique_ptr<Nginx> nginx;
};

TEST_F(HostedSecureTest, RepliesAreHandledAsOverPlainHttp) {
  REQUIRE_SERVER(*nginx);
  std::string large;
  for (int64_t i = 0; large.size() < 3 * 1024 * 1024; ++i) large += std::to_string(i * 7919) + "\n";
  WriteFile(nginx->Www() / "large.txt", large);
  nginx->AddUser("ann", "open sesame");
  WriteFile(nginx->Www() / "private" / "plan.txt", "the plan\n");
  // The scheme in any case; authorization and the cache as for http://.
  const std::string plan = "\"HTTPS://LocalHost:" + std::to_string(good) + "/private/plan.txt\"";
  EXPECT_RUN(program.Run(
      "  MSG OPENDATACACHE(" + SecureUrl(good, "/large.txt") +
          ", \"\", \"LARGE.TXT\", -1)\n"
          "  MSG READDATA(OPENDATACACHE(" +
          plan + ", \"\", \"PLAN.TXT\", 1))",
      "Message: 1\n"
      "User/Password Required: Enter username and password for Sales at \"LocalHost\".\n"
      "Message: the plan\n",
      "ann\nopen sesame\n"));
  EXPECT_TRUE(ReadFile(program.Cache("LARGE.TXT")) == large) << "body differs";
  EXPECT_EQ(ReadFile(program.Cache("PLAN.TXT")), "the plan\n");
}

TEST_F(HostedSecureTest, EveryFailedHandshakeIsShownAndNothingIsCached) {
  REQUIRE_SERVER(*nginx);
  WriteFile(nginx->Www() / "page.txt", "secret page\n");
  ScriptedServer cuttingOff([](ScriptedConnection& connection) { connection.Pause(100ms); });
  auto fetch = [](int port) {
    return "  MSG OPENDATACACHE(" + SecureUrl(port, "/page.txt") + ", \"\", \"P.TXT\", 1)\n";
  };
  EXPECT_RUN(program.Run(
      fetch(expired_) + fetch(otherName) + fetch(selfSigned) + fetch(plain) + fetch(refusing) +
          fetch(cuttingOff.Port()),
      TlsFailure("The server's certificate has expired.") + "Message: 0\n" +
          TlsFailure("The server's certificate is for another host name.") + "Message: 0\n" +
          TlsFailure("The server's certificate is self-signed and not trusted.") + "Message: 0\n" +
          TlsFailure("The server does not answer in TLS on this port (plain HTTP?).") +
          "Message: 0\n" +
          TlsFailure("The server refused the secure handshake (tlsv1 unrecognized name).") +
          "Message: 0\n" +
          TlsFailure("The server closed the connection during the secure handshake.") +
          "Message: 0\n"));

  program.Configure("CAFile", "");
  EXPECT_RUN(program.Run(
      fetch(good), TlsFailure("The server's certificate is not issued by a trusted authority.") +
                       "Message: 0\n"));
  const std::string missing = HostPath(folder_.Path() / "no-such.pem");
  program.Configure("CAFile", missing);
  EXPECT_RUN(program.Run(
      fetch(good),
      TlsFailure("The certificate file named by CAFile in Quorl.INI cannot be read:\n  " +
                 missing) +
          "Message: 0\n"));
  EXPECT_FALSE(std::filesystem::exists(program.Cache("P.TXT")));
}

TEST_F(HostedSecureTest, TheSystemsRootsAreTrusted) {
  REQUIRE_SERVER(*nginx);
  if (!SystemRoot::Possible()) GTEST_SKIP() << "the system's store can be changed by root only";
  WriteFile(nginx->Www() / "page.txt", "trusted by the system\n");
  program.Configure("CAFile", "");
  SystemRoot root(authority.RootFile());
  EXPECT_RUN(program.Run("  MSG READDATA(OPENDATA(" + SecureUrl(good, "/page.txt") + ", \"\"))",
                         "Message: trusted by the system\n"));
}

TEST_F(HostedSecureTest, ProxyTunnelsToTheHost) {
  REQUIRE_SERVER(*nginx);
  Tinyproxy proxy(folder_.Path(), good);
  REQUIRE_SERVER(proxy);
  WriteFile(nginx->Www() / "tunnelled.txt", "end to end\n");
  program.Configure("Proxy", "http://127.0.0.1:" + std::to_string(proxy.Port()));
  const std::string target = "localhost:" + std::to_string(plain);
  EXPECT_RUN(program.Run("  MSG READDATA(OPENDATA(" + SecureUrl(good, "/tunnelled.txt") +
                             ", \"\"))\n"
                             // A tunnel the proxy will not open.
                             "  MSG OPENDATA(" +
                             SecureUrl(plain, "/tunnelled.txt") + ", \"\")",
                         "Message: end to end\n"
                         "Open Socket: The proxy did not open a tunnel to:\n  " +
                             target +
                             "\nIt answered: HTTP/1.0 403 Access violation\n"
                             "Message: 0\n"));
  EXPECT_NE(proxy.Log("CONNECT").find("CONNECT localhost:" + std::to_string(good)),
            std::string::npos);
  // The host sees the path alone, as without a proxy.
  EXPECT_EQ(nginx->RequestCount(1), 1);
}

}  // namespace
}  // namespace quorl::nettest
