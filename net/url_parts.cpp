#include "net/url_parts.h"

#include "platform/text_case.h"

namespace quorl {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view TrimBlanksAndTabs(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The text after a leading scheme, matched in any letter case, or none.
std::optional<std::string_view> AfterScheme(std::string_view url, std::string_view scheme) {
  if (!platform::EqualIgnoringCase(url.substr(0, scheme.size()), scheme)) return std::nullopt;
  return url.substr(scheme.size());
}

}  // namespace

std::string_view WithoutHttpScheme(std::string_view url) {
  return AfterScheme(url, "http://").value_or(url);
}

int32_t ReadPortNumber(std::string_view text) {
  int64_t value = 0;
  for (char c : text) {
    if (!IsDigit(c)) break;
    value = value * 10 + (c - '0');
    if (value > 65535) return -1;
  }
  return static_cast<int32_t>(value);
}

UrlParts SplitUrl(std::string_view url) {
  UrlParts parts;
  const std::optional<std::string_view> secureRest = AfterScheme(url, "https://");
  parts.secure = secureRest.has_value();
  const std::string_view rest = secureRest.value_or(WithoutHttpScheme(url));
  const size_t slash = rest.find('/');
  parts.path = slash == std::string_view::npos ? "/" : std::string(rest.substr(slash));
  const std::string_view hostPart = rest.substr(0, slash);
  const size_t colon = hostPart.find(':');
  parts.host = std::string(hostPart.substr(0, colon));
  parts.portText = colon == std::string_view::npos ? std::to_string(parts.DefaultPort())
                                                   : std::string(hostPart.substr(colon + 1));
  return parts;
}

std::optional<ProxyAddress> ParseProxySetting(std::string_view setting) {
  const std::string_view trimmed = TrimBlanksAndTabs(setting);
  if (trimmed.empty()) return std::nullopt;
  const std::string_view rest = WithoutHttpScheme(trimmed);
  const size_t colon = rest.find(':');
  ProxyAddress proxy;
  proxy.host = std::string(rest.substr(0, colon));
  if (colon != std::string_view::npos) proxy.port = ReadPortNumber(rest.substr(colon + 1));
  return proxy;
}

std::optional<uint32_t> ParseDottedAddress(std::string_view text) {
  uint32_t address = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (text.empty() || text.front() != '.') return std::nullopt;
      text.remove_prefix(1);
    }
    size_t digits = 0;
    uint32_t value = 0;
    while (digits < text.size() && digits < 3 && IsDigit(text[digits])) {
      value = value * 10 + static_cast<uint32_t>(text[digits] - '0');
      ++digits;
    }
    if (digits == 0 || value > 255) return std::nullopt;
    text.remove_prefix(digits);
    address = (address << 8) | value;
  }
  if (!text.empty()) return std::nullopt;
  return address;
}

}  // namespace quorl
