#include "net/temp_file_ring.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorl {
namespace {

// Records deletions instead of touching the disk.
class DeletionRecorder : public platform::System {
 public:
  std::vector<std::string> deleted;

  uint32_t TickCount() override { return 0; }
  std::tm LocalTime() override { return {}; }
  int ScreenWidth() override { return 1024; }
  int ScreenHeight() override { return 768; }
  void PumpMessages() override {}
  std::string TempDirectory() override { return "/tmp/"; }
  bool DeleteFile(const std::string& path) override {
    deleted.push_back(path);
    return false;  // failures must be ignored
  }
  std::optional<std::string> CreateTempFile(std::string_view) override { return std::nullopt; }
};

std::string Name(int i) {
  return "/tmp/QRL" + std::to_string(i) + ".TMP";
}

TEST(TempFileRingTest, SameNameInAnyCaseTakesOneSlot) {
  DeletionRecorder system;
  TempFileRing ring;
  ring.Register("/tmp/QRL1.TMP", system);
  ring.Register("/TMP/qrl1.tmp", system);
  ring.Register("", system);
  EXPECT_EQ(ring.Cursor(), 1);
  EXPECT_FALSE(ring.Slot(1).has_value());
  EXPECT_TRUE(system.deleted.empty());
}

TEST(TempFileRingTest, WrapDeletesSlotZeroAtOnceAndAgainOnReuse) {
  DeletionRecorder system;
  TempFileRing ring;
  for (int i = 0; i < 24; ++i) ring.Register(Name(i), system);
  EXPECT_TRUE(system.deleted.empty());
  EXPECT_EQ(ring.Cursor(), 24);

  ring.Register(Name(24), system);  // the 25th fills the last slot and wraps
  EXPECT_EQ(system.deleted, std::vector<std::string>{Name(0)});
  EXPECT_EQ(ring.Cursor(), 0);
  EXPECT_EQ(ring.Slot(0), Name(0));  // the name stays until the slot is reused
  // The deleted name still counts as held.
  ring.Register(Name(0), system);
  EXPECT_EQ(ring.Cursor(), 0);

  ring.Register(Name(25), system);  // the 26th reuses slot 0 and deletes again
  EXPECT_EQ(system.deleted, (std::vector<std::string>{Name(0), Name(0)}));
  EXPECT_EQ(ring.Slot(0), Name(25));
  EXPECT_EQ(ring.Cursor(), 1);

  ring.Register(Name(26), system);  // the 27th replaces slot 1
  EXPECT_EQ(system.deleted.back(), Name(1));
  EXPECT_EQ(ring.Cursor(), 2);
}

TEST(TempFileRingTest, ClearForgetsWithoutDeletingAndKeepsCursor) {
  DeletionRecorder system;
  TempFileRing ring;
  for (int i = 0; i < 3; ++i) ring.Register(Name(i), system);
  ring.Clear();
  EXPECT_TRUE(system.deleted.empty());
  EXPECT_EQ(ring.Cursor(), 3);
  EXPECT_FALSE(ring.Holds(Name(0)));
  ring.DeleteAll(system);
  EXPECT_TRUE(system.deleted.empty());
}

TEST(TempFileRingTest, DeleteAllDeletesEachRegisteredFileOnce) {
  DeletionRecorder system;
  TempFileRing ring;
  for (int i = 0; i < 30; ++i) ring.Register(Name(i), system);
  system.deleted.clear();
  ring.DeleteAll(system);
  // Slots hold names 25..29 (slots 0..4) and 5..24 (slots 5..24).
  std::vector<std::string> expected;
  for (int i = 25; i < 30; ++i) expected.push_back(Name(i));
  for (int i = 5; i < 25; ++i) expected.push_back(Name(i));
  EXPECT_EQ(system.deleted, expected);
  for (int i = 0; i < TempFileRing::kSlotCount; ++i) EXPECT_FALSE(ring.Slot(i).has_value());
  ring.DeleteAll(system);
  EXPECT_EQ(system.deleted.size(), expected.size());
}

}  // namespace
}  // namespace quorl
