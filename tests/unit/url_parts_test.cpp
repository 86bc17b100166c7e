#include "net/url_parts.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

TEST(UrlPartsTest, SplitsHostPortAndPath) {
  UrlParts parts = SplitUrl("http://www.example.com/dir/page.txt?a=1");
  EXPECT_EQ(parts.host, "www.example.com");
  EXPECT_EQ(parts.portText, "80");
  EXPECT_EQ(parts.path, "/dir/page.txt?a=1");

  parts = SplitUrl("HTTP://Example.com:8080");
  EXPECT_EQ(parts.host, "Example.com");
  EXPECT_EQ(parts.portText, "8080");
  EXPECT_EQ(parts.path, "/");

  // Without a scheme the whole text is host and path; a colon in the path
  // does not count as a port.
  parts = SplitUrl("host/a:b");
  EXPECT_EQ(parts.host, "host");
  EXPECT_EQ(parts.portText, "80");
  EXPECT_EQ(parts.path, "/a:b");
}

TEST(UrlPartsTest, PortNumbersReadLeadingDigits) {
  EXPECT_EQ(ReadPortNumber("8080"), 8080);
  EXPECT_EQ(ReadPortNumber("81/x"), 81);
  EXPECT_EQ(ReadPortNumber("abc"), 0);
  EXPECT_EQ(ReadPortNumber(""), 0);
  EXPECT_EQ(ReadPortNumber("65535"), 65535);
  EXPECT_EQ(ReadPortNumber("65536"), -1);
  EXPECT_EQ(ReadPortNumber("99999999999999999999"), -1);
}

TEST(UrlPartsTest, ProxySettingInAnyCaseWithOrWithoutPort) {
  EXPECT_FALSE(ParseProxySetting("").has_value());
  EXPECT_FALSE(ParseProxySetting(" \t ").has_value());

  std::optional<ProxyAddress> proxy = ParseProxySetting("  Http://proxy.local:8080  ");
  ASSERT_TRUE(proxy);
  EXPECT_EQ(proxy->host, "proxy.local");
  EXPECT_EQ(proxy->port, 8080);

  proxy = ParseProxySetting("proxy.local");
  ASSERT_TRUE(proxy);
  EXPECT_EQ(proxy->host, "proxy.local");
  EXPECT_EQ(proxy->port, 80);

  // What follows the host without a colon stays part of the name.
  proxy = ParseProxySetting("http://proxy.local/");
  ASSERT_TRUE(proxy);
  EXPECT_EQ(proxy->host, "proxy.local/");
  EXPECT_EQ(proxy->port, 80);

  proxy = ParseProxySetting("proxy:");
  ASSERT_TRUE(proxy);
  EXPECT_EQ(proxy->port, 0);
}

TEST(UrlPartsTest, DottedAddressesNeedFourParts) {
  EXPECT_EQ(ParseDottedAddress("127.0.0.1"), 0x7F000001u);
  EXPECT_EQ(ParseDottedAddress("255.255.255.255"), 0xFFFFFFFFu);
  EXPECT_FALSE(ParseDottedAddress("256.0.0.1"));
  EXPECT_FALSE(ParseDottedAddress("1.2.3"));
  EXPECT_FALSE(ParseDottedAddress("1.2.3.4.5"));
  EXPECT_FALSE(ParseDottedAddress("1.2.3.4 "));
  EXPECT_FALSE(ParseDottedAddress("localhost"));
  EXPECT_FALSE(ParseDottedAddress("1..3.4"));
  EXPECT_FALSE(ParseDottedAddress("0001.2.3.4"));
}

}  // namespace
}  // namespace quorl
