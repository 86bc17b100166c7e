// The texts of the HTTP/1.0 exchange: what a request sends, what the dump
// files record, how a reply's header lines and challenges are read, and the
// progress text of a transfer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorl {

inline constexpr std::string_view kAgentHeader = "User-Agent: Quorl/0.0.4\r\n";

// "GET " or "POST " (when there is a post text), the target, " HTTP/1.0 \r\n".
std::string RequestLine(std::string_view postText, std::string_view target);
// "Host: " + host, with ":" + port unless it is the scheme's default, + "\r\n".
std::string HostHeader(std::string_view host, int32_t port, int32_t defaultPort);
// Whether a header line of the post text (one before its first empty line)
// starts with "Host:", in any letter case.
bool PostTextHasHostHeader(std::string_view postText);
std::string AuthorizationHeader(std::string_view user, std::string_view password);
// The post text is followed by one CR LF, or by two when it does not end with a LF.
std::string_view HeaderEnd(std::string_view postText);
// A text as a dump line: CR LF is added unless it already ends with LF or CR.
std::string DumpLine(std::string_view text);

bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// The text between the first and the second blank of a status line, normalised.
std::string StatusCode(std::string_view statusLine);
// The value of a "Content-Length:" line (already normalised), or none for other lines.
std::optional<int64_t> ContentLength(std::string_view headerLine);

// The realm of a Basic challenge line ("WWW-Authenticate: Basic realm=..."),
// unquoted; "(Unknown Realm)" when it names none. None when the scheme is not Basic.
std::optional<std::string> BasicRealm(std::string_view challengeLine);
std::string AuthPrompt(std::string_view realm, std::string_view host);

// "Got:  50% of 10.0k..." with a total, "Got:  1.5k..." without one (total <= 0).
std::string TransferProgressText(int64_t received, int64_t total);
// The progress bar's percentage, or -1 without a total.
int TransferPercent(int64_t received, int64_t total);

}  // namespace quorl
