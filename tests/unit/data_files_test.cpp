// The files a program reads and makes: data files line by line, and the ring
// of temporary files that are deleted again.
#include "net/data_files.h"

#include <gtest/gtest.h>

#include <fstream>

#include "net/temp_file_ring.h"
#include "tests/unit/fakes.h"
#include "tools/temporary_directory.h"

namespace quorl {
namespace {

class DataFilesTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& content) {
    const std::string path = (folder_.Path() / "data.txt").string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  tools::TemporaryDirectory folder_;
};

TEST_F(DataFilesTest, LinesEndAtLineFeedNulOrTheEndAndLongOnesAreSkipped) {
  const std::string line255(255, 'a');
  auto file = DataFile::Open(Write(std::string("one\r\ntwo\0", 9) + line255 + "\n" +
                                   std::string(300, 'b') + "\nlast\n" + std::string(256, 'c')));
  ASSERT_TRUE(file);
  EXPECT_EQ(file->ReadLine(), "one\r");  // READDATA strips the CR
  EXPECT_EQ(file->ReadLine(), "two");
  EXPECT_EQ(file->ReadLine(), line255);
  EXPECT_FALSE(file->ReadLine().has_value());
  EXPECT_EQ(file->ReadLine(), "last");
  EXPECT_FALSE(file->AtEnd());
  EXPECT_FALSE(file->ReadLine().has_value());  // 256 bytes up to the end: too long as well
  EXPECT_TRUE(file->AtEnd());
  file->Rewind();
  EXPECT_EQ(file->ReadLine(), "one\r");
  EXPECT_TRUE(DataFile::Open(Write(""))->AtEnd());

  std::string content;
  for (int i = 0; i < 20000; ++i) content += "line " + std::to_string(i) + "\n";
  file = DataFile::Open(Write(content));  // lines across the read-ahead boundary
  for (int i = 0; i < 20000; ++i) ASSERT_EQ(file->ReadLine(), "line " + std::to_string(i));
  EXPECT_TRUE(file->AtEnd());
}

TEST_F(DataFilesTest, HandlesAreCheckedAndNeverReused) {
  DataFiles files;
  EXPECT_EQ(files.Open((folder_.Path() / "missing").string()), 0);
  EXPECT_EQ(files.Open(folder_.Path().string()), 0);  // a folder would never reach its end
  const int32_t first = files.Open(Write("x\n"));
  ASSERT_NE(first, 0);
  EXPECT_NE(files.Find(first), nullptr);
  EXPECT_EQ(files.Find(first + 1), nullptr);
  EXPECT_TRUE(files.Close(first));
  EXPECT_FALSE(files.Close(first));
  EXPECT_EQ(files.Find(first), nullptr);
  EXPECT_NE(files.Open(Write("x\n")), first);
}

std::string Name(int i) {
  return "/tmp/QRL" + std::to_string(i) + ".TMP";
}

TEST(TempFileRingTest, WrapsDeletingTheOldestAndDeletesTheRestAtTheEnd) {
  fakes::FakeSystem system;
  TempFileRing ring;
  ring.Register("/tmp/QRL0.TMP", system);
  ring.Register("/TMP/qrl0.tmp", system);  // the same name in any case takes one slot
  ring.Register("", system);
  for (int i = 1; i < 24; ++i) ring.Register(Name(i), system);
  EXPECT_EQ(ring.Cursor(), 24);
  EXPECT_TRUE(system.deleted.empty());
  ring.Register(Name(24), system);  // fills the last slot, wraps, deletes slot 0 at once
  EXPECT_EQ(system.deleted, std::vector<std::string>{Name(0)});
  EXPECT_EQ(ring.Cursor(), 0);
  ring.Register(Name(0), system);   // the deleted name stays held until its slot is reused
  ring.Register(Name(25), system);  // reuses slot 0 and deletes again
  ring.Register(Name(26), system);
  EXPECT_EQ(system.deleted, (std::vector<std::string>{Name(0), Name(0), Name(1)}));
  EXPECT_EQ(ring.Slot(0), Name(25));

  system.deleted.clear();
  ring.DeleteAll(system);
  std::vector<std::string> expected = {Name(25), Name(26)};
  for (int i = 2; i < 25; ++i) expected.push_back(Name(i));
  EXPECT_EQ(system.deleted, expected);
  ring.DeleteAll(system);
  EXPECT_EQ(system.deleted.size(), expected.size());

  ring.Register(Name(1), system);
  ring.Clear();  // forgets without deleting; the cursor stays
  EXPECT_FALSE(ring.Holds(Name(1)));
  EXPECT_EQ(ring.Cursor(), 3);
  ring.DeleteAll(system);
  EXPECT_EQ(system.deleted.size(), expected.size());
}

}  // namespace
}  // namespace quorl
