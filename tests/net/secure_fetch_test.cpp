// https:// against nginx with TLS on loopback, on certificates of the test's
// own authority, trusted through the "CAFile" key and never through the
// system's store.
#include <gtest/gtest.h>

#include "net/socket_layer.h"
#include "net_client.h"
#include "real_servers.h"
#include "scripted_server.h"
#include "test_certificates.h"

namespace quorl::nettest {
namespace {

using namespace std::chrono_literals;

std::string SecureUrl(int port, std::string_view path) {
  return "https://localhost:" + std::to_string(port) + std::string(path);
}

std::string TlsFailure(std::string_view reason) {
  return "Open Socket: Could not open a secure connection to:\n  localhost\n" + std::string(reason);
}

class SecureFetchTest : public ::testing::Test {
 protected:
  SecureFetchTest() {
    const std::string www = (client.folder_.Path() / "nginx" / "www").string();
    const std::string htpasswd = (client.folder_.Path() / "nginx" / "htpasswd").string();
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
    nginx = std::make_unique<Nginx>(client.folder_.Path(), servers);
    client.caFile = authority.RootFile().string();
  }

  NetClient client;
  TestAuthority authority{client.folder_.Path() / "pki"};
  const int good = FreeLoopbackPort();
  const int expired_ = FreeLoopbackPort();
  const int otherName = FreeLoopbackPort();
  const int selfSigned = FreeLoopbackPort();
  const int plain = FreeLoopbackPort();
  const int refusing = FreeLoopbackPort();
  std::unique_ptr<Nginx> nginx;
};

TEST_F(SecureFetchTest, RepliesAreHandledAsOverPlainHttp) {
  REQUIRE_SERVER(*nginx);
  std::string large;
  for (int64_t i = 0; large.size() < 3 * 1024 * 1024; ++i) large += std::to_string(i * 7919) + "\n";
  WriteFile(nginx->Www() / "large.txt", large);
  std::string body;
  EXPECT_EQ(client.Fetch(SecureUrl(good, "/large.txt"), "", &body), 1);
  EXPECT_TRUE(body == large) << "body differs, size " << body.size();
  EXPECT_NE(
      client.TempFiles("QSN")[0].find("GET /large.txt HTTP/1.0 \r\nUser-Agent: Quorl/0.0.4\r\n"
                                      "Host: localhost:" +
                                      std::to_string(good) + "\r\n"),
      std::string::npos);

  // The scheme in any case; authorization and the cache as for http://.
  nginx->AddUser("ann", "open sesame");
  WriteFile(nginx->Www() / "private" / "plan.txt", "the plan\n");
  client.dialogs.credentials = {platform::Dialogs::Credentials{"ann", "open sesame"}};
  const std::string url = "HTTPS://LocalHost:" + std::to_string(good) + "/private/plan.txt";
  const Result handle = client.Call("OPENDATACACHE", Quoted(url) + ", \"\", \"PLAN.TXT\", 1");
  ASSERT_TRUE(handle);
  EXPECT_NE(handle->integer, 0);
  EXPECT_EQ(ReadFile(client.Work() / "cache" / "PLAN.TXT"), "the plan\n");
  EXPECT_EQ(client.dialogs.prompts,
            std::vector<std::string>{"Enter username and password for Sales at \"LocalHost\"."});
  EXPECT_TRUE(client.Messages().empty());
}

TEST_F(SecureFetchTest, EveryFailedHandshakeIsShownAndNothingIsCached) {
  REQUIRE_SERVER(*nginx);
  WriteFile(nginx->Www() / "page.txt", "secret page\n");
  ScriptedServer cuttingOff([](ScriptedConnection& connection) { connection.Pause(100ms); });
  struct Case {
    int port;
    std::string caFile;
    std::string message;
  };
  const std::string root = authority.RootFile().string();
  const std::string missing = (client.folder_.Path() / "no-such.pem").string();
  const std::vector<Case> cases = {
      {expired_, root, TlsFailure("The server's certificate has expired.")},
      {otherName, root, TlsFailure("The server's certificate is for another host name.")},
      {selfSigned, root, TlsFailure("The server's certificate is self-signed and not trusted.")},
      {good, "", TlsFailure("The server's certificate is not issued by a trusted authority.")},
      {good, missing,
       TlsFailure("The certificate file named by CAFile in Quorl.INI cannot be read:\n  " +
                  missing)},
      {plain, root, TlsFailure("The server does not answer in TLS on this port (plain HTTP?).")},
      {refusing, root,
       TlsFailure("The server refused the secure handshake (tlsv1 unrecognized name).")},
      {cuttingOff.Port(), root,
       TlsFailure("The server closed the connection during the secure handshake.")},
  };
  for (const Case& c : cases) {
    client.caFile = c.caFile;
    client.dialogs.boxes.clear();
    const Result handle = client.Call(
        "OPENDATACACHE", Quoted(SecureUrl(c.port, "/page.txt")) + ", \"\", \"P.TXT\", 1");
    ASSERT_TRUE(handle);
    EXPECT_EQ(handle->integer, 0) << c.message;
    EXPECT_EQ(client.Messages(), std::vector<std::string>{c.message});
    EXPECT_TRUE(std::filesystem::is_empty(client.Work() / "cache")) << c.message;
  }
}

TEST_F(SecureFetchTest, StopDuringTheHandshakeEndsQuietly) {
  ScriptedServer silent([](ScriptedConnection& connection) { connection.Hold(); });
  const auto start = std::chrono::steady_clock::now();
  client.system.onPump = [&] {
    if (std::chrono::steady_clock::now() - start > 200ms) AbortNetwork(client.ctx);
  };
  EXPECT_EQ(client.Fetch(SecureUrl(silent.Port(), "/"), ""), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
  EXPECT_TRUE(client.Messages().empty());
}

TEST_F(SecureFetchTest, ProxyTunnelsToTheHost) {
  REQUIRE_SERVER(*nginx);
  Tinyproxy proxy(client.folder_.Path(), good);
  REQUIRE_SERVER(proxy);
  WriteFile(nginx->Www() / "tunnelled.txt", "end to end\n");
  client.proxy = "http://127.0.0.1:" + std::to_string(proxy.Port());
  std::string body;
  EXPECT_EQ(client.Fetch(SecureUrl(good, "/tunnelled.txt"), "", &body), 1);
  EXPECT_EQ(body, "end to end\n");
  EXPECT_NE(proxy.Log("CONNECT").find("CONNECT localhost:" + std::to_string(good)),
            std::string::npos);
  // The host sees the path alone, as without a proxy.
  EXPECT_EQ(nginx->RequestCount(1), 1);
  EXPECT_TRUE(client.Messages().empty());

  // A tunnel the proxy will not open.
  EXPECT_EQ(client.Fetch(SecureUrl(plain, "/tunnelled.txt"), ""), 0);
  const std::vector<std::string> messages = client.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].starts_with(
      "Open Socket: The proxy did not open a tunnel to:\n  localhost:" + std::to_string(plain) +
      "\nIt answered: HTTP/1.0 403"))
      << messages[0];
}

}  // namespace
}  // namespace quorl::nettest
