// The texts of the DevTools browser link: what a browser's request item
// holds, what the endpoint answers, and the page that posts a form.
#include "platform/posix/devtools_texts.h"

#include <gtest/gtest.h>

namespace quorl::platform {
namespace {

TEST(DevToolsTextsTest, OpenUrlItemsAreCutAtTheirFixedSeparators) {
  const std::optional<OpenUrlItem> item = ParseOpenUrlItem("\"http://a/\",,-1,0,\"x=\"1\",,y\",,");
  ASSERT_TRUE(item);
  EXPECT_EQ(item->url, "http://a/");
  EXPECT_EQ(item->postText, "x=\"1\",,y");
  EXPECT_EQ(ParseOpenUrlItem("\"\",,-1,0,\"^/tmp/QRL1\",,")->postText, "^/tmp/QRL1");
  EXPECT_FALSE(ParseOpenUrlItem("\"http://a/\",,-1,0,\"\""));
  EXPECT_FALSE(ParseOpenUrlItem("-1,0"));
}

TEST(DevToolsTextsTest, TargetsAreReadFromTheEndpointsJson) {
  const std::optional<std::vector<DevToolsTarget>> targets = ParseTargets(
      R"([ {"description": "", "id": "A1", "parentId": null, "size": [1, {"x": -2.5e3}],
            "title": "Caf\u00e9 \ud83d\ude00 &quot;x&quot; &amp;amp; &#39;y&#39; &lt;b&gt;",
            "type": "page", "url": "http://a/\"q\"\\"},
          {"id": "B2", "type": "browser_ui", "title": "", "url": "chrome://x/"} ])");
  ASSERT_TRUE(targets);
  ASSERT_EQ(targets->size(), 2u);
  EXPECT_EQ((*targets)[0].id, "A1");
  EXPECT_EQ((*targets)[0].title, "Caf\xC3\xA9 \xF0\x9F\x98\x80 \"x\" &amp; 'y' <b>");
  EXPECT_EQ((*targets)[0].url, "http://a/\"q\"\\");
  EXPECT_EQ((*targets)[1].type, "browser_ui");
  EXPECT_EQ(ParseTargets(R"({"id": "N"})")->front().id, "N");
  EXPECT_TRUE(ParseTargets("[]")->empty());
  EXPECT_FALSE(ParseTargets(R"([{"id": "A"})"));
  EXPECT_FALSE(ParseTargets("<html>"));

  EXPECT_EQ(WindowInfoAnswer({"A1", "page", "Say \"hi\", then", "http://a/"}),
            "\"http://a/\",\"Say \"\"hi\"\", then\"");
}

TEST(DevToolsTextsTest, UrlsSurviveTheEndpointsUnescaping) {
  EXPECT_EQ(EscapeForQuery("http://h:1/a b?x=%41&y=1+1#top"),
            "http://h:1/a%20b?x=%2541&y=1+1%23top");
  EXPECT_EQ(EscapeForQuery("\xE9\""), "%E9%22");
}

TEST(DevToolsTextsTest, ThePostingPageCarriesEachFieldDecoded) {
  const std::string page =
      PostingPage("http://h/p?a=1&b=\"2\"", "n+1=%22A%26B%22&&solo&c=x%0D%0Ay=z");
  EXPECT_NE(page.find("action=\"http://h/p?a=1&amp;b=&quot;2&quot;\""), std::string::npos);
  EXPECT_NE(page.find("name=\"n 1\" value=\"&quot;A&amp;B&quot;\""), std::string::npos);
  EXPECT_NE(page.find("name=\"solo\" value=\"\""), std::string::npos);
  EXPECT_NE(page.find("name=\"c\" value=\"x&#13;&#10;y=z\""), std::string::npos);
  EXPECT_EQ(page.find("name=\"\""), std::string::npos);  // the empty piece is no field
}

}  // namespace
}  // namespace quorl::platform
