#include "platform/win32/win32_fonts.h"

namespace quorl::platform {
namespace {

HFONT MakeFont(HFONT stock, LONG weight, double pointSize) {
  LOGFONTA font;
  if (GetObjectA(stock, sizeof font, &font) != sizeof font) return stock;
  font.lfWeight = weight;
  if (pointSize != 0.0) {
    // The stock font is 8.25 points: scale its height to the wanted size.
    font.lfHeight = static_cast<LONG>(font.lfHeight / 8.25 * pointSize);
    font.lfWidth = 0;
  }
  HFONT made = CreateFontIndirectA(&font);
  return made ? made : stock;
}

}  // namespace

Win32Fonts::Win32Fonts()
    : stock_(static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT))),
      control_(MakeFont(stock_, FW_BOLD, 0.0)),
      plain_(MakeFont(stock_, FW_NORMAL, 0.0)) {}

Win32Fonts::~Win32Fonts() {
  if (control_ != stock_) DeleteObject(control_);
  if (plain_ != stock_) DeleteObject(plain_);
}

HFONT Win32Fonts::MakeSized(double pointSize) const {
  HFONT made = MakeFont(stock_, FW_BOLD, pointSize);
  return made == stock_ ? control_ : made;
}

}  // namespace quorl::platform
