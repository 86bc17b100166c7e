#include "net/frx_icons.h"

#include <gtest/gtest.h>

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

TEST(FrxIconsTest, RowsAreTurnedTopFirstAndOtherDataIsLeftAlone) {
  std::istringstream file(std::string(10, 'z') + PictureData(0x02) + PictureData(0x03));
  std::optional<FrxIcon> icon = ReadFrxIcon(file, 10);
  ASSERT_TRUE(icon);
  for (int row = 0; row < 32; ++row) {
    EXPECT_EQ(icon->colorBits[row * 16], row);
    EXPECT_EQ(icon->colorBits[row * 16 + 15], row);
    EXPECT_EQ(icon->maskBits[row * 4 + 3], 0x80 | row);
  }
  EXPECT_FALSE(ReadFrxIcon(file, 10 + PictureData(0x02).size()));  // another header
  EXPECT_FALSE(ReadFrxIcon(file, 700));                            // data cut short
}

}  // namespace
}  // namespace quorl
