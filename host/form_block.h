// One block of a form description, from its "Begin" line to its "End" line:
// what the block's lines say about the window it describes.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/form_windows.h"
#include "platform/window_types.h"

namespace quorl {

// The settings a block collects, with the values a block starts from.
struct FormBlock {
  int32_t type = 0;      // a control type code; 0 for a block of no known type
  std::string typeWord;  // as written: "CommandButton", "VScrollBar", ...
  std::string name;
  uint32_t style = 0;
  int left = 0;  // pixels
  int top = 0;
  int width = 0;
  int height = 0;
  // The form's client area, for files that give it instead of Width and Height.
  std::optional<int> clientWidth;
  std::optional<int> clientHeight;
  bool widthGiven = false;
  bool heightGiven = false;
  std::optional<int> index;  // the element's Index in a control array
  int enabled = 1;
  int visible = 1;
  int tabIndex = -1;
  int value = 0;
  int maxLength = 0;
  char passwordChar = ' ';
  platform::Colour backColour = 0xFFFFFF;
  platform::Colour foreColour = 0x000000;
  int backStyle = 2;  // 1 transparent, 2 opaque
  double fontSize = 0.0;
  int interval = 0;
  int minimum = 0;
  int maximum = 32767;
  int smallChange = 1;
  int largeChange = 1;
  uint32_t pictureOffset = 0;
  std::string caption;
};

// Converts form-file lengths (twips) to pixels with the system's dialog base
// units; 8 by 16 gives 96 pixels for 1440 twips.
class PixelScale {
 public:
  explicit PixelScale(platform::BaseUnits units);
  int Horizontal(int twips) const { return Convert(twips, 15, x_); }
  int Vertical(int twips) const { return Convert(twips, 15, y_); }
  // A combo box's height covers its drop-down list: a third of the twips.
  int ComboHeight(int twips) const { return Convert(twips, 3, y_); }

 private:
  static int Convert(int twips, int divisor, float scale);
  float x_;
  float y_;
};

// The name a control is bound to in the form table: its own name, and for an
// element of a control array that name followed by its Index in parentheses,
// "Command1(2)".
std::string BoundName(const FormBlock& block);

// The type and name of a trimmed "Begin" line; "Begin VB.Form Form1" and
// "Begin Form Form1" read alike. Type 0 for a type the builder does not know.
FormBlock ReadBeginLine(std::string_view line);

// A trimmed property line "Name = Value 'comment" taken apart.
struct PropertyLine {
  std::string name;
  std::string value;
};
PropertyLine SplitPropertyLine(std::string_view line);

// A Caption or Text value without its quotes; a text kept in the .FRX file
// ("$" or a quoted file name, then ":" and an offset) gives a placeholder
// that says so.
std::string CaptionText(std::string_view value);

// A colour value "&H00BBGGRR&"; values above 0xFFFFFF name a system colour.
platform::Colour ReadColour(std::string_view value,
                            const std::function<platform::Colour(int)>& systemColour);

// The whole number at the start of a text, as C's atoi reads it, kept
// within the range of an int instead of overflowing.
int WholeNumber(std::string_view text);

// Applies one property line to the block; unknown properties are ignored.
void ApplyBlockProperty(FormBlock& block, const PropertyLine& property, const PixelScale& scale,
                        const std::function<platform::Colour(int)>& systemColour);

}  // namespace quorl
