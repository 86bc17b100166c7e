// The web client's parts that neither a program nor a server test reaches:
// the encodings' quirks, the socket library's start failures, the browser
// link's messages without a browser, over-long data lines, the temporary
// files' ring when it wraps and the texts of the DevTools browser link.
#include <gtest/gtest.h>

#include <fstream>

#include "lang/builtins.h"
#include "net/browser_link.h"
#include "net/data_files.h"
#include "net/encodings.h"
#include "net/socket_layer.h"
#include "net/temp_file_ring.h"
#include "platform/posix/devtools_texts.h"
#include "tests/unit/fakes.h"
#include "tools/temporary_directory.h"

namespace quorl {
namespace {

TEST(Encodings, EscapesAndBase64KeepTheirQuirks) {
  EXPECT_EQ(EscapeText("~`!#$%^&()+={}|[]\\:\";'<>?,/ az09@*-_.\t\xE9"),
            "%7E%60%21%23%24%25%5E%26%28%29%2B%3D%7B%7D%7C%5B%5D%5C%3A%22%3B%27%3C%3E%3F%2C%2F"
            " az09@*-_.\t\xE9");
  // No validation: "%G1" gives 1; a "%" at the very end reads two zero bytes
  // (16 * -48 - 48 wraps to 0xD0); a decoded zero byte ends the text.
  EXPECT_EQ(UnescapeText("%41%7e+%20%G1"), "A~+ \x01");
  EXPECT_EQ(UnescapeText("ab%"), "ab\xD0");
  EXPECT_EQ(UnescapeText("ab%00cd"), "ab");
  EXPECT_EQ(SpaceToPlus("a b\tc  d"), "a+b\tc++d");
  EXPECT_EQ(PlusToSpace("a+b++c "), "a b  c ");
  EXPECT_EQ(EncodeBase64("M") + EncodeBase64("Ma") + EncodeBase64("\xFF\xFE\xFD"), "TQ==TWE=//79");
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(DecodeBase64(EncodeBase64(all)), all);
  // A missing tail decodes to zero bytes, which end the text; a line break
  // takes a place in the group, so what follows is shifted.
  EXPECT_EQ(DecodeBase64("TWFuTW"), "ManM`");
  EXPECT_EQ(DecodeBase64("TWFu\nTWFu"), "Man\x01\x35\x85\xB8");
}

TEST(SocketLayer, StartFailuresAreShownAndTheStartupFailureOnlyOnce) {
  fakes::FakeContext fake;
  Context& ctx = fake.ctx;
  fakes::ScriptedSockets sockets;
  ctx.network.readQuorlConfig = [](std::string_view) { return std::string(); };
  EXPECT_EQ(StartSocketDLL(ctx), 0);
  ctx.network.sockets = &sockets;
  sockets.startOutcome = platform::SocketLibrary::StartOutcome::kEntryPointMissing;
  EXPECT_EQ(StartSocketDLL(ctx), 0);
  sockets.startOutcome = platform::SocketLibrary::StartOutcome::kStartupFailed;
  sockets.startError = 10091;
  EXPECT_EQ(StartSocketDLL(ctx), 0);
  EXPECT_EQ(StartSocketDLL(ctx), 0);
  EXPECT_FALSE(ctx.network.libraryStarted);
  sockets.startOutcome = platform::SocketLibrary::StartOutcome::kStarted;
  EXPECT_EQ(StartSocketDLL(ctx), 1);
  bool viaProxy = false;
  sockets.connectError = platform::socket_error::kTimedOut;
  EXPECT_EQ(OpenSocket(ctx, "127.0.0.1", 1, viaProxy), platform::kNoSocket);
  StopSocketDLL(ctx);
  EXPECT_FALSE(ctx.network.libraryStarted);

  std::vector<std::string> shown;
  for (const auto& box : fake.dialogs.boxes) shown.push_back(*box.caption + ": " + box.text);
  const std::string notWorking = "\nNetwork functions of Quorl will not work.";
  EXPECT_EQ(shown, (std::vector<std::string>{
                       "Start Socket DLL: Unable to load Windows socket library (WSOCK32.DLL or "
                       "WINSOCK.DLL)." +
                           notWorking,
                       "Start Socket DLL: One or more necessary functions not found in Windows "
                       "socket library (WINSOCK.DLL)!" +
                           notWorking,
                       "Windows Socket ErrorStartSocketDLL(): Error communication on network:\n"
                       "  System not ready",
                       "Start Socket DLL: Unable to initialize Windows socket library "
                       "(WINSOCK.DLL)!" +
                           notWorking,
                       "Open Socket: Server is not responding or network is down:\n  127.0.0.1"}));
}

TEST(BrowserLink, ALongRequestToAnUnknownBrowserIsWarnedAboutOnceARun) {
  fakes::FakeContext fake;
  fake.ctx.network.readQuorlConfig = [](std::string_view) { return std::string("OPERA"); };
  // 239 + 0 + 16 characters still fit; one more does not.
  const std::string post(239, 'p');
  EXPECT_FALSE(OpenUrlInBrowser(fake.ctx, "", post));
  EXPECT_FALSE(OpenUrlInBrowser(fake.ctx, "h", post));
  EXPECT_FALSE(OpenUrlInBrowser(fake.ctx, "h", post));
  EXPECT_FALSE(CallBuiltin(fake.ctx, "OPENURL", "\"http://a/\""));  // both must be texts
  const std::string noBrowser = "Could not connect with:  OPERA";
  EXPECT_EQ(fake.Errors(),
            (std::vector<std::string>{noBrowser, "More than 255 characters being sent to Browser.",
                                      noBrowser, noBrowser, "CAN'T CONVERT PARAMETERS!"}));
}

TEST(DataFiles, LinesOfMoreThan255BytesAreSkippedWhole) {
  tools::TemporaryDirectory folder;
  const std::string path = (folder.Path() / "data.txt").string();
  std::ofstream(path, std::ios::binary)
      << std::string(255, 'a') + "\n" + std::string(300, 'b') + "\nlast\n" + std::string(256, 'c');
  std::unique_ptr<DataFile> file = DataFile::Open(path);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->ReadLine(), std::string(255, 'a'));
  EXPECT_FALSE(file->ReadLine().has_value());
  EXPECT_EQ(file->ReadLine(), "last");
  EXPECT_FALSE(file->AtEnd());
  EXPECT_FALSE(file->ReadLine().has_value());  // 256 bytes up to the end: too long as well
  EXPECT_TRUE(file->AtEnd());
}

TEST(TempFileRing, WrapsDeletingTheOldestFileAtOnce) {
  fakes::FakeSystem system;
  TempFileRing ring;
  for (int i = 0; i < TempFileRing::kSlotCount; ++i) {
    ring.Register("/tmp/QRL" + std::to_string(i), system);
  }
  EXPECT_EQ(system.deleted, std::vector<std::string>{"/tmp/QRL0"});
  EXPECT_EQ(ring.Cursor(), 0);
  ring.Register("/tmp/QRL25", system);  // reuses slot 0 and deletes again
  EXPECT_EQ(system.deleted, (std::vector<std::string>{"/tmp/QRL0", "/tmp/QRL0"}));
  EXPECT_EQ(ring.Slot(0), "/tmp/QRL25");
}

TEST(DevToolsTexts, TargetsAreReadFromTheEndpointsJson) {
  const std::optional<std::vector<platform::DevToolsTarget>> targets = platform::ParseTargets(
      R"([ {"description": "", "id": "A1", "parentId": null, "size": [1, {"x": -2.5e3}],
            "title": "Caf\u00e9 \ud83d\ude00 &quot;x&quot; &amp;amp; &#39;y&#39; &lt;b&gt;",
            "type": "page", "url": "http://a/\"q\"\\\t"},
          {"id": "B2", "type": "browser_ui", "title": "\u0041\u20ac", "url": "chrome://x/"} ])");
  ASSERT_TRUE(targets);
  ASSERT_EQ(targets->size(), 2u);
  EXPECT_EQ((*targets)[0].title, "Caf\xC3\xA9 \xF0\x9F\x98\x80 \"x\" &amp; 'y' <b>");
  EXPECT_EQ((*targets)[0].url, "http://a/\"q\"\\\t");
  EXPECT_EQ((*targets)[1].id + (*targets)[1].type + (*targets)[1].title,
            "B2browser_uiA\xE2\x82\xAC");
  EXPECT_EQ(platform::ParseTargets(R"({"id": "N"})")->front().id, "N");
  EXPECT_FALSE(platform::ParseTargets(R"([{"id": "A"})"));
  EXPECT_FALSE(platform::ParseTargets(R"({"id": "\u12"})"));
  EXPECT_EQ(platform::EscapeForQuery("http://h:1/a b?x=%41&y=1+1#top\xE9"),
            "http://h:1/a%20b?x=%2541&y=1+1%23top%E9");
}

}  // namespace
}  // namespace quorl
