#include "host/status_layout.h"

namespace quorl {
namespace {

constexpr int kProgressWidth = 80;
constexpr int kIconSize = 17;

}  // namespace

int StatusStripHeight(platform::BaseUnits units) {
  float scale = static_cast<float>(units.vertical) / 16.0f;
  if (scale <= 1.0f) scale = 1.0f;
  return static_cast<int>(scale * 23.0f);
}

int ClampStatusPercent(int percent) {
  if (percent < -1) return 0;
  if (percent > 100) return 100;
  return percent;
}

platform::StatusStripPaint LayoutStatusStrip(int clientWidth, int height, std::string text,
                                             int percent, bool stopIcon) {
  platform::StatusStripPaint strip;
  strip.height = height;
  strip.text = std::move(text);
  bool progress = percent != -1;
  int panelRight = progress ? clientWidth - 86 : clientWidth - 5;
  strip.panelCorner = {23, height - 4};
  strip.panelEnd = {panelRight, 4};
  strip.stopIcon = stopIcon;
  strip.iconPosition = stopIcon ? platform::Point{2, 4} : platform::Point{3, 6};
  strip.textRect = {26, 5, progress ? clientWidth - 88 : clientWidth - 7, height};
  strip.progress = progress;
  if (progress) {
    strip.progressX = clientWidth - 83;
    strip.progressY = 5;
    strip.progressFilled = ClampStatusPercent(percent) * kProgressWidth / 100;
  }
  return strip;
}

bool IsOnStatusIcon(const platform::StatusStripPaint& strip, platform::Point point) {
  return point.x >= strip.iconPosition.x && point.x < strip.iconPosition.x + kIconSize &&
         point.y >= strip.iconPosition.y && point.y < strip.iconPosition.y + kIconSize;
}

}  // namespace quorl
