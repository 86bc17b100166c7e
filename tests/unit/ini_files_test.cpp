// Configuration files: the INI text rules and the files on disk.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/posix/ini_text.h"
#include "platform/posix/posix_command_starter.h"
#include "platform/posix/posix_profile_files.h"
#include "tools/temporary_directory.h"

namespace quorl::platform {
namespace {

namespace fs = std::filesystem;

TEST(IniText, ReadsAndWritesKeepingEverythingElse) {
  const std::string text = "; notes\n[First]\nA=1\n; about B\nB = \"2\" \n\n[Second]\nb=3\n";
  EXPECT_EQ(ReadIniValue(text, "FIRST", "b"), "2");  // quotes and blanks dropped
  EXPECT_EQ(ReadIniValue(text, "Second", "B"), "3");
  EXPECT_EQ(ReadIniValue(text, "First", "C"), std::nullopt);
  EXPECT_EQ(ReadIniValue(text, "Third", "A"), std::nullopt);
  EXPECT_EQ(WriteIniValue(text, "first", "b", "20"),
            "; notes\n[First]\nA=1\n; about B\nB=20\n\n[Second]\nb=3\n");
  EXPECT_EQ(WriteIniValue(text, "First", "New", "x"),
            "; notes\n[First]\nA=1\n; about B\nB = \"2\" \nNew=x\n\n[Second]\nb=3\n");
  EXPECT_EQ(WriteIniValue(text, "Third", "D", "4"), text + "\n[Third]\nD=4\n");
  EXPECT_EQ(WriteIniValue("[S]\r\nK=old\r\n", "S", "K", "new"), "[S]\r\nK=new\r\n");
  // A value cannot add lines of its own.
  const std::string written = WriteIniValue("", "S", "K", "one\r\n[Evil]\nX=1");
  EXPECT_EQ(ReadIniValue(written, "Evil", "X"), std::nullopt);
  EXPECT_EQ(ReadIniValue(written, "S", "K"), "one  [Evil] X=1");
}

std::string Contents(const fs::path& path) {
  std::ostringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

TEST(PosixProfileFiles, ReplacesTheWholeFileKeepingItsPermissions) {
  tools::TemporaryDirectory temp;
  const fs::path folder = temp.Path() / "nested" / "quorl";
  PosixProfileFiles files(folder.string());
  ASSERT_TRUE(files.Write("QuorlFRM.INI", "Game", "Score", "42"));
  chmod((folder / "QuorlFRM.INI").c_str(), 0600);
  ASSERT_TRUE(files.Write("QuorlFRM.INI", "Game", "Name", "Ann"));
  EXPECT_EQ(files.Read("QuorlFRM.INI", "GAME", "score"), "42");
  EXPECT_EQ(Contents(folder / "QuorlFRM.INI"), "[Game]\nScore=42\nName=Ann\n");
  struct stat info {};
  stat((folder / "QuorlFRM.INI").c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  // Only the file itself is left: the new file was renamed over it.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
  // A folder that cannot be made: nothing is written, and the failure shows.
  EXPECT_FALSE(
      PosixProfileFiles((folder / "QuorlFRM.INI" / "sub").string()).Write("A", "S", "K", "V"));
}

TEST(PosixProfileFiles, FindsItsFolderInTheEnvironment) {
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("QUORL_CONFIG_DIR", "/one", 1);
  setenv("XDG_CONFIG_HOME", "/two", 1);
  EXPECT_EQ(PosixProfileFiles::ConfigFolderFromEnvironment(), "/one");
  unsetenv("QUORL_CONFIG_DIR");
  EXPECT_EQ(PosixProfileFiles::ConfigFolderFromEnvironment(), "/two/quorl");
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(PosixProfileFiles::ConfigFolderFromEnvironment(), "/home/someone/.config/quorl");
  setenv("HOME", home.c_str(), 1);
}

TEST(PosixCommandStarter, StartsTheCommandWithoutWaitingForIt) {
  tools::TemporaryDirectory temp;
  const fs::path marker = temp.Path() / "started";
  auto before = std::chrono::steady_clock::now();
  ASSERT_TRUE(PosixCommandStarter().Start("sleep 1; touch '" + marker.string() + "'"));
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(900));
  EXPECT_FALSE(fs::exists(marker));
  for (int i = 0; i < 100 && !fs::exists(marker); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_TRUE(fs::exists(marker));
}

}  // namespace
}  // namespace quorl::platform
