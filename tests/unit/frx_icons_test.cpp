#include "net/frx_icons.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quorl {
namespace {

// Picture data as a .FRX file holds it: header, 126 skipped bytes, colour
// rows bottom first (row r filled with r), mask rows bottom first (0x80 | r).
std::string PictureData(uint8_t second) {
  std::string data = {'\xFE', static_cast<char>(second), 'x', 'y'};
  data += std::string(126, '\x55');
  for (int row = 31; row >= 0; --row) data += std::string(16, static_cast<char>(row));
  for (int row = 31; row >= 0; --row) data += std::string(4, static_cast<char>(0x80 | row));
  return data;
}

TEST(FrxIconsTest, RowsAreTurnedTopFirst) {
  std::istringstream file(std::string(10, 'z') + PictureData(0x02));
  std::optional<FrxIcon> icon = ReadFrxIcon(file, 10);
  ASSERT_TRUE(icon);
  for (int row = 0; row < 32; ++row) {
    EXPECT_EQ(icon->colorBits[row * 16], row);
    EXPECT_EQ(icon->colorBits[row * 16 + 15], row);
    EXPECT_EQ(icon->maskBits[row * 4 + 3], 0x80 | row);
  }
}

TEST(FrxIconsTest, OtherHeadersAndShortDataAreLeftAlone) {
  std::istringstream wrongHeader(PictureData(0x03));
  EXPECT_FALSE(ReadFrxIcon(wrongHeader, 0));
  std::string truncated = PictureData(0x02);
  truncated.resize(700);
  std::istringstream shortFile(truncated);
  EXPECT_FALSE(ReadFrxIcon(shortFile, 0));
  std::istringstream pastEnd(PictureData(0x02));
  EXPECT_FALSE(ReadFrxIcon(pastEnd, 5000));
}

// Records the icons given to each Image.
class RecordingImages : public FrxImageHost {
 public:
  std::vector<Image> images;
  std::vector<std::pair<std::string, FrxIcon>> given;

  std::vector<Image> Images() override { return images; }
  void SetIcon(std::string_view name, const FrxIcon& icon) override {
    given.emplace_back(std::string(name), icon);
  }
};

TEST(FrxIconsTest, EachImageReadsItsOwnOffset) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      ("quorl-frx-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".frx");
  const std::string first = PictureData(0x02);
  std::ofstream(path, std::ios::binary) << first << PictureData(0x07) << first;
  RecordingImages host;
  host.images = {
      {"IMAGE1", 0}, {"IMAGE2", first.size()}, {"IMAGE3", 2 * first.size()}, {"IMAGE4", 5000}};
  LoadFrxIcons(host, path.string());
  std::filesystem::remove(path);
  ASSERT_EQ(host.given.size(), 2u);
  EXPECT_EQ(host.given[0].first, "IMAGE1");
  EXPECT_EQ(host.given[1].first, "IMAGE3");
  EXPECT_EQ(host.given[1].second.colorBits[16], 1);
}

}  // namespace
}  // namespace quorl
