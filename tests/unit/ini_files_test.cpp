// Configuration files: the INI text rules and the files on disk.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/posix/ini_text.h"
#include "platform/posix/posix_command_starter.h"
#include "platform/posix/posix_profile_files.h"

namespace quorl::platform {
namespace {

namespace fs = std::filesystem;

TEST(IniTextTest, ReadsSectionsAndKeysWithoutRegardToCase) {
  std::string text =
      "; settings\n[QuorlConfig]\nProxy = proxy.local:3128 \nService=\"NETSCAPE\"\n\n"
      "[Other]\nproxy=wrong\n";
  EXPECT_EQ(ReadIniValue(text, "quorlconfig", "PROXY"), "proxy.local:3128");
  EXPECT_EQ(ReadIniValue(text, "QuorlConfig", "Service"), "NETSCAPE");  // quotes dropped
  EXPECT_EQ(ReadIniValue(text, "Other", "Proxy"), "wrong");
  EXPECT_EQ(ReadIniValue(text, "QuorlConfig", "Missing"), std::nullopt);
  EXPECT_EQ(ReadIniValue(text, "Missing", "Proxy"), std::nullopt);
  EXPECT_EQ(ReadIniValue("", "A", "B"), std::nullopt);
}

TEST(IniTextTest, WritingKeepsEverythingElse) {
  std::string text = "; my notes\n[First]\nA=1\n; about B\nB=2\n\n[Second]\nC=3\n";
  std::string changed = WriteIniValue(text, "first", "b", "20");
  EXPECT_EQ(changed, "; my notes\n[First]\nA=1\n; about B\nB=20\n\n[Second]\nC=3\n");
  std::string added = WriteIniValue(text, "First", "New", "x");
  EXPECT_EQ(added, "; my notes\n[First]\nA=1\n; about B\nB=2\nNew=x\n\n[Second]\nC=3\n");
  std::string section = WriteIniValue(text, "Third", "D", "4");
  EXPECT_EQ(section, text + "\n[Third]\nD=4\n");
  EXPECT_EQ(WriteIniValue("", "S", "K", "V"), "[S]\nK=V\n");
}

TEST(IniTextTest, KeepsCarriageReturnLineEndsAndRoundTrips) {
  std::string text = "[S]\r\nK=old\r\n";
  std::string written = WriteIniValue(text, "S", "K", "new value");
  EXPECT_EQ(written, "[S]\r\nK=new value\r\n");
  EXPECT_EQ(ReadIniValue(written, "S", "K"), "new value");
}

TEST(IniTextTest, AValueCannotAddLinesOfItsOwn) {
  std::string written = WriteIniValue("", "S", "K", "one\r\n[Evil]\nX=1");
  EXPECT_EQ(ReadIniValue(written, "Evil", "X"), std::nullopt);
  EXPECT_EQ(ReadIniValue(written, "S", "K"), "one  [Evil] X=1");
}

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "quorl-ini-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() { fs::remove_all(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string Contents(const std::string& path) {
  std::ifstream file(path);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(PosixProfileFilesTest, WritesIntoANewFolderAndReadsBack) {
  TempFolder temp;
  std::string folder = temp.path() + "/nested/quorl";
  PosixProfileFiles files(folder);
  EXPECT_EQ(files.Read("QuorlFRM.INI", "Game", "Score"), std::nullopt);
  ASSERT_TRUE(files.Write("QuorlFRM.INI", "Game", "Score", "42"));
  ASSERT_TRUE(files.Write("QuorlFRM.INI", "Game", "Name", "Ann"));
  EXPECT_EQ(files.Read("QuorlFRM.INI", "GAME", "score"), "42");
  EXPECT_EQ(Contents(folder + "/QuorlFRM.INI"), "[Game]\nScore=42\nName=Ann\n");
  // Only the file itself is left: the new file was renamed over it.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST(PosixProfileFilesTest, KeepsTheFilesPermissionsAndFailsCleanly) {
  TempFolder temp;
  std::string path = temp.path() + "/Quorl.INI";
  std::ofstream(path) << "[QuorlConfig]\nProxy=\n";
  chmod(path.c_str(), 0600);
  PosixProfileFiles files(temp.path());
  ASSERT_TRUE(files.Write("Quorl.INI", "QuorlConfig", "Proxy", "p:8080"));
  struct stat info {};
  stat(path.c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  // A folder that cannot be made: nothing is written, and the failure shows.
  PosixProfileFiles blocked(path + "/sub");
  EXPECT_FALSE(blocked.Write("Quorl.INI", "S", "K", "V"));
  EXPECT_EQ(Contents(path), "[QuorlConfig]\nProxy=p:8080\n");
}

TEST(PosixProfileFilesTest, FindsItsFolderInTheEnvironment) {
  setenv("QUORL_CONFIG_DIR", "/one", 1);
  setenv("XDG_CONFIG_HOME", "/two", 1);
  EXPECT_EQ(PosixProfileFiles::ConfigFolderFromEnvironment(), "/one");
  unsetenv("QUORL_CONFIG_DIR");
  EXPECT_EQ(PosixProfileFiles::ConfigFolderFromEnvironment(), "/two/quorl");
  unsetenv("XDG_CONFIG_HOME");
  std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(PosixProfileFiles::ConfigFolderFromEnvironment(), "/home/someone/.config/quorl");
  if (home.empty()) {
    unsetenv("HOME");
  } else {
    setenv("HOME", home.c_str(), 1);
  }
}

TEST(PosixCommandStarterTest, StartsTheCommandWithoutWaitingForIt) {
  TempFolder temp;
  std::string marker = temp.path() + "/started";
  PosixCommandStarter starter;
  auto before = std::chrono::steady_clock::now();
  ASSERT_TRUE(starter.Start("sleep 1; touch '" + marker + "'"));
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(900));
  EXPECT_FALSE(fs::exists(marker));
  for (int i = 0; i < 100 && !fs::exists(marker); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_TRUE(fs::exists(marker));
}

}  // namespace
}  // namespace quorl::platform
