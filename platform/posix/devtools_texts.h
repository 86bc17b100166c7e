// The texts of the DevTools browser link: the browser's DDE request items
// read back, the endpoint's JSON target lists, and the page that makes the
// browser post a form.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorl::platform {

// The URL and post text of a WWW_OpenURL item ("URL",,-1,0,"POST",,). The
// post text may itself hold quotes and commas, so the item is cut at its
// fixed separators, not at every comma.
struct OpenUrlItem {
  std::string url;
  std::string postText;  // "^" and a path: the file that holds it
};
std::optional<OpenUrlItem> ParseOpenUrlItem(std::string_view item);

// A target of the endpoint's /json/list or /json/new answer.
struct DevToolsTarget {
  std::string id;
  std::string type;  // "page" for a tab
  std::string title;
  std::string url;
};
// The targets of a JSON array of objects, or of one object, with the titles
// as the pages have them; none when the text is no such JSON.
std::optional<std::vector<DevToolsTarget>> ParseTargets(std::string_view json);

// A URL as the query of /json/new?..., which the endpoint unescapes once:
// every byte but letters, digits and the URL's own punctuation as %XX.
std::string EscapeForQuery(std::string_view url);

// The window information a DDE browser gives: "URL","TITLE" with quotes
// inside doubled.
std::string WindowInfoAnswer(const DevToolsTarget& page);

// An HTML page that posts the fields of a form-encoded text (name=value
// pairs joined by "&", "+" for blanks, %XX escapes) to the URL as soon as it
// loads. The page's single-byte code page carries every byte through.
std::string PostingPage(std::string_view url, std::string_view postText);

}  // namespace quorl::platform
