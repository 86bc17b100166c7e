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

// Makes real temporary files in a folder of the test's own.
class FileMakingSystem : public fakes::FakeSystem {
 public:
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("quorl-browser-link-" + std::to_string(getpid()));
  FileMakingSystem() { std::filesystem::create_directories(folder); }
  ~FileMakingSystem() override { std::filesystem::remove_all(folder); }
  std::optional<std::string> CreateTempFile(std::string_view prefix) override {
    const std::filesystem::path path = folder / (std::string(prefix) + std::to_string(++made_));
    std::ofstream{path};
    return path.string();
  }

 private:
  int made_ = 0;
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
    ctx.network.readQuorlConfig = [this](std::string_view key) {
      return key == "Service" ? service : std::string();
    };
    StartBrowserLink(ctx);
  }

  // OPENURL with the argument text as a script writes it: 1, 0 or -1 for none.
  int OpenUrl(std::string_view arguments) {
    Result result = CallBuiltin(ctx, "OPENURL", arguments);
    if (!result) return -1;
    EXPECT_EQ(result->kind, kKindBoolean);
    return result->integer != 0;
  }
  std::string Variable(std::string_view name) {
    Result value = EvaluateOperand(ctx, kKindAny, name);
    return value ? *value->text : "(none)";
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& box : dialogs.boxes) {
      EXPECT_EQ(box.caption, "Quorl");
      if (box.text.starts_with("More") || box.text.starts_with("Could not connect") ||
          box.text.starts_with("No page")) {
        EXPECT_EQ(box.style, platform::kMbOk | platform::kMbIconExclamation);
      }
      texts.push_back(box.text.substr(0, box.text.find('\n')));
    }
    return texts;
  }
};

TEST_F(BrowserLinkTest, AShortRequestOpensThePageAndActivatesTheBrowser) {
  EXPECT_EQ(OpenUrl("\"http://127.0.0.1:9/\", \"\""), 1);
  EXPECT_EQ(OpenUrl("\"http://a/b\", \"x=1,y\" & \"=2\""), 1);
  EXPECT_EQ(browser.conversations,
            (std::vector<std::string>{"NETSCAPE|WWW_OpenURL|\"http://127.0.0.1:9/\",,-1,0,\"\",,",
                                      "NETSCAPE|WWW_Activate|-1,0",
                                      "NETSCAPE|WWW_OpenURL|\"http://a/b\",,-1,0,\"x=1,y=2\",,",
                                      "NETSCAPE|WWW_Activate|-1,0"}));
  EXPECT_TRUE(dialogs.boxes.empty());

  // Both arguments must be texts.
  EXPECT_EQ(OpenUrl("\"http://a/\""), -1);
  EXPECT_EQ(Texts(), std::vector<std::string>{"CAN'T CONVERT PARAMETERS!"});
}

TEST_F(BrowserLinkTest, WithoutABrowserNothingOpensAndTheServiceIsNamed) {
  service = "Mosaic";
  browser.running = false;
  EXPECT_EQ(OpenUrl("\"http://a/\", \"\""), 0);
  ctx.browser.client = nullptr;  // a host without a link reports it the same way
  ctx.browser.started = false;
  EXPECT_FALSE(OpenUrlInBrowser(ctx, "http://a/", ""));
  ASSERT_EQ(dialogs.boxes.size(), 2u);
  EXPECT_EQ(dialogs.boxes[0].text,
            "Could not connect with:  Mosaic\nPlease start your web browser and try again.");
  EXPECT_EQ(Texts()[1], "Could not connect with:  Mosaic");
}

TEST_F(BrowserLinkTest, ALongRequestGoesThroughARegisteredFile) {
  const std::string post(239, 'p');
  service = "netscape";
  // 239 + 0 + 16 characters still fit; one more goes through a file.
  EXPECT_TRUE(OpenUrlInBrowser(ctx, "", post));
  EXPECT_TRUE(OpenUrlInBrowser(ctx, "h", post));
  ASSERT_EQ(browser.conversations.size(), 4u);
  EXPECT_EQ(browser.conversations[0], "netscape|WWW_OpenURL|\"\",,-1,0,\"" + post + "\",,");
  const std::optional<std::string>& file = ctx.tempFiles.Slot(0);
  ASSERT_TRUE(file && file->find("QRL") != std::string::npos);
  EXPECT_EQ(browser.conversations[2], "netscape|WWW_OpenURL|\"h\",,-1,0,\"^" + *file + "\",,");
  std::ostringstream content;
  content << std::ifstream(*file).rdbuf();
  EXPECT_EQ(content.str(), post);
  EXPECT_TRUE(dialogs.boxes.empty());  // a browser known to read files is not warned about

  // Another browser is warned about once a run; the request goes on anyway.
  service = "OPERA";
  EXPECT_TRUE(OpenUrlInBrowser(ctx, "h", post));
  EXPECT_TRUE(OpenUrlInBrowser(ctx, "h", post));
  EXPECT_EQ(Texts(), std::vector<std::string>{"More than 255 characters being sent to Browser."});
  EXPECT_EQ(browser.conversations.size(), 8u);
}

TEST_F(BrowserLinkTest, WebUrlAndWebNameSplitTheWindowInformation) {
  browser.page = "\"http://a/?x=\"\"1\"\",2\",\"Say \"\"hi\"\", then go\"";
  EXPECT_EQ(Variable("WEBURL"), "http://a/?x=\"1\",2");
  EXPECT_EQ(Variable("WEBNAME"), "Say \"hi\", then go");
  EXPECT_EQ(browser.conversations.back(), "NETSCAPE|WWW_GetWindowInfo|-1");
  EXPECT_EQ(browser.lastTimeout, std::chrono::milliseconds(3000));
  EXPECT_EQ(SplitWindowInfo("\"only\"").url, "only");
  EXPECT_EQ(SplitWindowInfo("\"only\"").title, "");

  browser.page.reset();
  EXPECT_EQ(Variable("WEBNAME"), "(none)");
  browser.running = false;
  EXPECT_EQ(Variable("WEBURL"), "(none)");
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{"No page opened or browser not running:  NETSCAPE",
                                      "No page opened or browser not running:  NETSCAPE"}));
}

TEST_F(BrowserLinkTest, AClientThatCannotStartIsReported) {
  StopBrowserLink(ctx);
  EXPECT_EQ(browser.conversations, std::vector<std::string>{"stopped"});
  EXPECT_EQ(system.pumps, 1);
  browser.startable = false;
  EXPECT_FALSE(StartBrowserLink(ctx));
  EXPECT_EQ(Texts(), std::vector<std::string>{"Could not start DDE client!"});
  EXPECT_EQ(OpenUrl("\"http://a/\", \"\""), 0);
  EXPECT_EQ(browser.conversations.size(), 1u);
}

}  // namespace
}  // namespace quorl
