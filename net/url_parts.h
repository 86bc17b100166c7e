// Reading the addresses that requests go to: URLs, the proxy setting and
// dotted IPv4 addresses.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorl {

// The text after a leading "http://", which is matched in any letter case.
std::string_view WithoutHttpScheme(std::string_view url);

// The value of the leading decimal digits; 0 without digits, -1 beyond 65535.
int32_t ReadPortNumber(std::string_view text);

inline constexpr int32_t kHttpPort = 80;
inline constexpr int32_t kHttpsPort = 443;

struct UrlParts {
  bool secure = false;  // the URL starts with "https://" (in any letter case)
  std::string host;
  std::string portText;  // "80", or "443" when secure, when the URL names none
  std::string path;      // from the first "/"; "/" when the URL has none

  int32_t DefaultPort() const { return secure ? kHttpsPort : kHttpPort; }
};
UrlParts SplitUrl(std::string_view url);

struct ProxyAddress {
  std::string host;
  int32_t port = 80;
};
// None when the setting is empty after trimming blanks and tabs.
std::optional<ProxyAddress> ParseProxySetting(std::string_view setting);

// Four decimal parts of 0 to 255, in host byte order; none for anything else.
std::optional<uint32_t> ParseDottedAddress(std::string_view text);

}  // namespace quorl
