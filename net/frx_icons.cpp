#include "net/frx_icons.h"

#include <fstream>

namespace quorl {
namespace {

constexpr int kRows = 32;
constexpr size_t kColorRowBytes = 16;
constexpr size_t kMaskRowBytes = 4;
// The icon directory, the bitmap header and the 16-entry colour table.
constexpr std::streamoff kSkippedBytes = 126;

// The file holds the bottom row first.
template <size_t N>
std::array<uint8_t, N> FlipRows(const std::array<uint8_t, N>& bits, size_t rowBytes) {
  std::array<uint8_t, N> flipped{};
  for (int row = 0; row < kRows; ++row) {
    for (size_t i = 0; i < rowBytes; ++i) {
      flipped[row * rowBytes + i] = bits[(kRows - 1 - row) * rowBytes + i];
    }
  }
  return flipped;
}

template <size_t N>
bool ReadBytes(std::istream& file, std::array<uint8_t, N>& bytes) {
  file.read(reinterpret_cast<char*>(bytes.data()), N);
  return static_cast<size_t>(file.gcount()) == N;
}

}  // namespace

std::optional<FrxIcon> ReadFrxIcon(std::istream& file, uint64_t offset) {
  file.clear();
  file.seekg(static_cast<std::streamoff>(offset));
  std::array<uint8_t, 4> header{};
  if (!ReadBytes(file, header) || header[0] != 0xFE || header[1] != 0x02) return std::nullopt;
  file.seekg(kSkippedBytes, std::ios::cur);
  std::array<uint8_t, 512> color{};
  std::array<uint8_t, 128> mask{};
  if (!ReadBytes(file, color) || !ReadBytes(file, mask)) return std::nullopt;
  FrxIcon icon;
  icon.colorBits = FlipRows(color, kColorRowBytes);
  icon.maskBits = FlipRows(mask, kMaskRowBytes);
  return icon;
}

void LoadFrxIcons(FrxImageHost& host, const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return;
  for (const FrxImageHost::Image& image : host.Images()) {
    if (std::optional<FrxIcon> icon = ReadFrxIcon(file, image.pictureOffset)) {
      host.SetIcon(image.name, *icon);
    }
  }
}

}  // namespace quorl
