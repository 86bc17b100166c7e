// The browser link: shows a page in the user's running web browser and asks
// it which page it shows, through the conversations the browser serves
// (topics WWW_OpenURL, WWW_Activate and WWW_GetWindowInfo of the service
// named by key "Service" of "QuorlConfig", "NETSCAPE" when not set).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "net/network_context.h"

namespace quorl {

// The address the form's system menu opens.
inline constexpr std::string_view kHomePageUrl = "http://quorl.example/";

// Starts the client when the form is created: true, or false after the
// script error "Could not start DDE client!". A host without a client has
// no link; nothing is reported until an operation fails to connect.
bool StartBrowserLink(NetworkContext& ctx);
// Ends the client when the form goes, then lets pending messages through.
void StopBrowserLink(NetworkContext& ctx);

// Asks the browser to open the URL (posting the post text when it is not
// empty) and to come to the front. True when it accepted; false after a
// message box naming the service.
bool OpenUrlInBrowser(NetworkContext& ctx, std::string_view url, std::string_view postText);

// The browser's answer about the page it shows: the quoted address, a comma
// and the quoted title, as it sent them. None after a message box when no
// browser answered within 3 seconds.
std::optional<std::string> GetBrowserWindowInfo(NetworkContext& ctx);

// The address and title in such an answer: the text before and after the
// first comma outside quotes, each without its outer quotes and with doubled
// quotes made single.
struct PageInfo {
  std::string url;
  std::string title;
};
PageInfo SplitWindowInfo(std::string_view answer);

}  // namespace quorl
