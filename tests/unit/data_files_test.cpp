#include "net/data_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace quorl {
namespace {

class DataFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        std::filesystem::temp_directory_path() /
        ("quorl-data-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Write(const std::string& content) {
    const std::string path = (folder_ / "data.txt").string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  std::filesystem::path folder_;
};

TEST_F(DataFilesTest, LinesEndAtLineFeedNulOrTheEndOfTheData) {
  auto file = DataFile::Open(Write(std::string("one\r\ntwo\nthree\0four\nlast", 24)));
  ASSERT_TRUE(file);
  EXPECT_EQ(file->ReadLine(), "one\r");  // READDATA strips the CR
  EXPECT_EQ(file->ReadLine(), "two");
  EXPECT_EQ(file->ReadLine(), "three");
  EXPECT_EQ(file->ReadLine(), "four");
  EXPECT_FALSE(file->AtEnd());
  EXPECT_EQ(file->ReadLine(), "last");
  EXPECT_TRUE(file->AtEnd());
  file->Rewind();
  EXPECT_FALSE(file->AtEnd());
  EXPECT_EQ(file->ReadLine(), "one\r");
}

TEST_F(DataFilesTest, EmptyFileIsAtEndAtOnce) {
  auto file = DataFile::Open(Write(""));
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->AtEnd());
}

TEST_F(DataFilesTest, OverLongLineIsRefusedAndSkipped) {
  const std::string line255(255, 'a');
  auto file = DataFile::Open(
      Write(line255 + "\n" + std::string(300, 'b') + "\nnext\n" + std::string(256, 'c')));
  ASSERT_TRUE(file);
  EXPECT_EQ(file->ReadLine(), line255);
  EXPECT_FALSE(file->ReadLine().has_value());
  EXPECT_EQ(file->ReadLine(), "next");
  // 256 bytes without a line end at the very end of the data: too long as well.
  EXPECT_FALSE(file->ReadLine().has_value());
  EXPECT_TRUE(file->AtEnd());
}

TEST_F(DataFilesTest, LinesAcrossTheReadAheadBoundary) {
  std::string content;
  for (int i = 0; i < 20000; ++i) content += "line " + std::to_string(i) + "\n";
  auto file = DataFile::Open(Write(content));
  ASSERT_TRUE(file);
  for (int i = 0; i < 20000; ++i) {
    ASSERT_EQ(file->ReadLine(), "line " + std::to_string(i));
  }
  EXPECT_TRUE(file->AtEnd());
}

TEST_F(DataFilesTest, HandlesAreCheckedAndNeverReused) {
  DataFiles files;
  const std::string path = Write("x\n");
  EXPECT_EQ(files.Open((folder_ / "missing").string()), 0);
  // A folder is no data: it would never reach its end.
  std::filesystem::create_directory(folder_ / "folder");
  EXPECT_EQ(files.Open((folder_ / "folder").string()), 0);
  const int32_t first = files.Open(path);
  ASSERT_NE(first, 0);
  EXPECT_NE(files.Find(first), nullptr);
  EXPECT_EQ(files.Find(0), nullptr);
  EXPECT_EQ(files.Find(first + 1), nullptr);
  EXPECT_TRUE(files.Close(first));
  EXPECT_FALSE(files.Close(first));
  EXPECT_EQ(files.Find(first), nullptr);
  const int32_t second = files.Open(path);
  EXPECT_NE(second, first);
  EXPECT_NE(second, 0);
}

}  // namespace
}  // namespace quorl
