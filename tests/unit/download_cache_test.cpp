#include "net/download_cache.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

TEST(DownloadCacheTest, NameChecksInTheirOrder) {
  EXPECT_FALSE(CacheNameError("DATA.TXT"));
  EXPECT_FALSE(CacheNameError("ABC"));  // too short for an extension test
  EXPECT_FALSE(CacheNameError("123456789012"));
  EXPECT_EQ(CacheNameError("1234567890123"), "FILE NAME TOO LONG!");
  const std::string illegal =
      "ILLEGAL EXTENSION FOR FILE!\nEXE,DLL,VBX,SYS,COM,BAT,386,VXD,DRV NOT ALLOWED!\n";
  EXPECT_EQ(CacheNameError("run.exe"), illegal);
  EXPECT_EQ(CacheNameError("A.Vxd"), illegal);
  EXPECT_EQ(CacheNameError(".386"), illegal);
  // The long name is reported before the extension.
  EXPECT_EQ(CacheNameError("abcdefghijkl.exe"), "FILE NAME TOO LONG!");
}

TEST(DownloadCacheTest, NamesThatLeaveTheCacheFolderAreRefused) {
  for (const char* name : {"../x.txt", "a/b", "a\\b", "C:x", "..", ".", "", "a..b"}) {
    std::optional<std::string> error = CacheNameError(name);
    ASSERT_TRUE(error) << name;
    EXPECT_EQ(error->rfind("ILLEGAL CACHE FILE NAME!", 0), 0u) << name;
  }
}

TEST(DownloadCacheTest, FreshnessUsesWideArithmetic) {
  using std::chrono::seconds;
  EXPECT_TRUE(IsFreshEnough(seconds(0), 0));
  EXPECT_FALSE(IsFreshEnough(seconds(1), 0));
  EXPECT_TRUE(IsFreshEnough(seconds(86400), 1));
  EXPECT_FALSE(IsFreshEnough(seconds(86401), 1));
  EXPECT_FALSE(IsFreshEnough(seconds(0), -1));
  // 30000 days is more than 2^31 seconds: no overflow into a negative limit.
  EXPECT_TRUE(IsFreshEnough(seconds(2'000'000'000), 30000));
  EXPECT_TRUE(IsFreshEnough(seconds(INT64_C(100'000'000'000)), INT32_MAX));
}

TEST(DownloadCacheTest, PartialDownloadNeverCollidesWithACacheName) {
  const std::string partial = PartialDownloadPath("A.TXT").filename().string();
  EXPECT_NE(partial, "A.TXT");
  EXPECT_TRUE(CacheNameError(partial).has_value());
  EXPECT_EQ(CachePath("A.TXT"), std::filesystem::path("cache") / "A.TXT");
}

}  // namespace
}  // namespace quorl
