// The icons of Image controls in a form's binary property file (".FRX"):
// each Image's picture starts at its own offset with a 4-byte header, then
// one 32x32, 16-colour icon image whose bits are read here.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorl {

struct FrxIcon {
  // 32 rows of 16 bytes, 4 bits per pixel, top row first.
  std::array<uint8_t, 512> colorBits{};
  // 32 rows of 4 bytes, 1 bit per pixel, top row first.
  std::array<uint8_t, 128> maskBits{};
};

// The icon at offset, or none when the header there is not 0xFE 0x02 or the
// file ends too soon.
std::optional<FrxIcon> ReadFrxIcon(std::istream& file, uint64_t offset);

// The form host's side of LOADFRX: its Image controls and their pictures.
class FrxImageHost {
 public:
  struct Image {
    std::string name;
    uint64_t pictureOffset = 0;  // where the Image's picture starts in the .FRX file
  };
  virtual ~FrxImageHost() = default;
  virtual std::vector<Image> Images() = 0;
  // Replaces the picture of the named Image control.
  virtual void SetIcon(std::string_view name, const FrxIcon& icon) = 0;
};

// Gives each Image control whose picture data in the file hold an icon that
// icon; the other Images keep their pictures.
void LoadFrxIcons(FrxImageHost& host, const std::string& path);

}  // namespace quorl
