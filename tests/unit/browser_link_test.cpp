// The browser link over a recording client: what goes to the browser, the
// messages and the results.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "lang/builtins.h"
#include "net/browser_link.h"
#include "tests/unit/fakes.h"

namespace quorl {
namespace {

constexpr int kWarning = platform::kMbOk | platform::kMbIconExclamation;

// Makes real temporary files, in a folder of the test's own.
class FileMakingSystem : public fakes::FakeSystem {
 public:
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("quorl-browser-link-" + std::to_string(getpid()));
  FileMakingSystem() { std::filesystem::create_directories(folder); }
  ~FileMakingSystem() override { std::filesystem::remove_all(folder); }
  std::optional<std::string> CreateTempFile(std::string_view prefix) override {
    const std::filesystem::path path = folder / (std::string(prefix) + std::to_string(++made));
    std::ofstream{path};
    return path.string();
  }
  int made = 0;
};

class BrowserLinkTest : public ::testing::Test {
 protected:
  fakes::FakeDialogs dialogs;
  FileMakingSystem system;
  Context ctx{dialogs, system};
  fakes::FakeDdeClient browser;
  std::string service;

  BrowserLinkTest() {
    ctx.PushFrame();
    ctx.browser.client = &browser;
    browser.running = true;
    ctx.network.readQuorlConfig = [this](std::string_view) { return service; };
    StartBrowserLink(ctx);
  }
  // The result of OPENURL or the variable, as text; "(none)" for no value.
  std::string Run(std::string_view name, std::string_view arguments = {}) {
    Result value = arguments.empty() ? EvaluateOperand(ctx, kKindAny, name)
                                     : CallBuiltin(ctx, name, arguments);
    if (!value) return "(none)";
    if (value->kind == kKindBoolean) return value->integer ? "TRUE" : "FALSE";
    return value->text.value_or("");
  }
  // Each box's first line; every box of the link has the same caption and icon.
  std::vector<std::string> Boxes() const {
    std::vector<std::string> texts;
    for (const auto& box : dialogs.boxes) {
      EXPECT_TRUE(box.caption == "Quorl" && box.style == kWarning) << box.text;
      texts.push_back(box.text.substr(0, box.text.find('\n')));
    }
    return texts;
  }
};

TEST_F(BrowserLinkTest, OpenUrlSendsTheItemThenActivatesOrSaysWhoDidNotAnswer) {
  EXPECT_EQ(Run("OPENURL", "\"http://a/b\", \"x=1,y\" & \"=2\""), "TRUE");
  EXPECT_EQ(browser.conversations,
            (std::vector<std::string>{"NETSCAPE|WWW_OpenURL|\"http://a/b\",,-1,0,\"x=1,y=2\",,",
                                      "NETSCAPE|WWW_Activate|-1,0"}));
  EXPECT_TRUE(dialogs.boxes.empty());

  service = "Mosaic";
  browser.running = false;
  EXPECT_EQ(Run("OPENURL", "\"http://a/\", \"\""), "FALSE");
  EXPECT_EQ(dialogs.boxes.at(0).text,
            "Could not connect with:  Mosaic\nPlease start your web browser and try again.");
  EXPECT_EQ(Run("OPENURL", "\"http://a/\""), "(none)");  // both arguments must be texts
  EXPECT_EQ(dialogs.boxes.size(), 2u);
  EXPECT_TRUE(dialogs.boxes.back().text.starts_with("CAN'T CONVERT PARAMETERS!\n"));
}

TEST_F(BrowserLinkTest, ALongRequestGoesThroughARegisteredFile) {
  const std::string post(239, 'p');
  service = "netscape";
  // 239 + 0 + 16 characters still fit; one more goes through a file, and a
  // browser known to read files is not warned about.
  EXPECT_TRUE(OpenUrlInBrowser(ctx, "", post));
  EXPECT_TRUE(OpenUrlInBrowser(ctx, "h", post));
  EXPECT_EQ(browser.conversations.at(0), "netscape|WWW_OpenURL|\"\",,-1,0,\"" + post + "\",,");
  const std::string file = ctx.tempFiles.Slot(0).value_or("");
  EXPECT_EQ(browser.conversations.at(2), "netscape|WWW_OpenURL|\"h\",,-1,0,\"^" + file + "\",,");
  std::ostringstream content;
  content << std::ifstream(file).rdbuf();
  EXPECT_EQ(content.str(), post);
  EXPECT_EQ(std::filesystem::path(file).filename(), "QRL1");

  // Another browser is warned about once a run; the request goes on anyway.
  service = "OPERA";
  EXPECT_TRUE(OpenUrlInBrowser(ctx, "h", post));
  EXPECT_TRUE(OpenUrlInBrowser(ctx, "h", post));
  EXPECT_EQ(Boxes(), std::vector<std::string>{"More than 255 characters being sent to Browser."});
  EXPECT_EQ(browser.conversations.size(), 8u);
  EXPECT_EQ(system.made, 3);
}

TEST_F(BrowserLinkTest, WebUrlAndWebNameSplitTheWindowInformation) {
  browser.page = "\"http://a/?x=\"\"1\"\",2\",\"Say \"\"hi\"\", then go\"";
  EXPECT_EQ(Run("WEBURL"), "http://a/?x=\"1\",2");
  EXPECT_EQ(Run("WEBNAME"), "Say \"hi\", then go");
  EXPECT_EQ(browser.conversations.back(), "NETSCAPE|WWW_GetWindowInfo|-1");
  EXPECT_EQ(browser.lastTimeout, std::chrono::milliseconds(3000));
  EXPECT_EQ(SplitWindowInfo("\"only\"").title, "");

  browser.page.reset();
  EXPECT_EQ(Run("WEBNAME"), "(none)");
  EXPECT_EQ(Boxes(), std::vector<std::string>{"No page opened or browser not running:  NETSCAPE"});
}

TEST_F(BrowserLinkTest, TheClientStopsWithTheFormAndAFailedStartIsReported) {
  StopBrowserLink(ctx);
  EXPECT_EQ(browser.conversations, std::vector<std::string>{"stopped"});
  EXPECT_EQ(system.pumps, 1);
  browser.startable = false;
  EXPECT_FALSE(StartBrowserLink(ctx));
  EXPECT_FALSE(OpenUrlInBrowser(ctx, "http://a/", ""));  // no conversation without a client
  EXPECT_EQ(browser.conversations.size(), 1u);
  EXPECT_EQ(dialogs.boxes.at(0).text.substr(0, 27), "Could not start DDE client!");
}

}  // namespace
}  // namespace quorl
