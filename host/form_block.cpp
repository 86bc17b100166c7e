#include "host/form_block.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cstdlib>

#include "host/control_types.h"
#include "values/name_tree.h"
#include "values/text_utils.h"

namespace quorl {
namespace {

namespace ws = platform::style;

constexpr std::string_view kFrxPlaceholder =
    "{{Quorl: VB4 stores long text properties in the .FRX file.  You must build the string in "
    "code and set the .Text or .Caption property at runtime.}}";

struct TypeWord {
  std::string_view word;
  int32_t type;
};

// In the order in which the words are tried.
constexpr std::array<TypeWord, 14> kTypeWords = {{
    {"Form", kControlForm},
    {"CommandButton", kControlCommandButton},
    {"Image", kControlImage},
    {"OptionButton", kControlOptionButton},
    {"CheckBox", kControlCheckBox},
    {"Label", kControlLabel},
    {"TextBox", kControlTextBox},
    {"Frame", kControlFrame},
    {"VScrollBar", kControlScrollBar},
    {"HScrollBar", kControlScrollBar},
    {"ComboBox", kControlComboBox},
    {"ListBox", kControlListBox},
    {"Timer", kControlTimer},
    {"PictureBox", kControlPictureBox},
}};

bool Is(std::string_view name, std::string_view property) {
  return CompareNames(name, property) == 0;
}

bool IsSpace(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Reads hexadecimal digits as C's strtoul does with base 16 and a 32-bit
// result: leading white space and a sign are accepted, too large a number
// gives the largest one.
uint32_t ReadHex(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
      i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
    i += 2;
  }
  uint64_t value = 0;
  for (; i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i])); ++i) {
    int c = std::tolower(static_cast<unsigned char>(text[i]));
    value = value * 16 + static_cast<uint64_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    if (value > UINT32_MAX) return UINT32_MAX;
  }
  uint32_t result = static_cast<uint32_t>(value);
  return negative ? 0u - result : result;
}

// A reference into the form's .FRX file without the "$": a quoted file name,
// ":" and a hexadecimal offset, "Form1.frx":0000.
bool IsFrxReference(std::string_view value) {
  if (value.size() < 2 || value.front() != '"') return false;
  size_t close = value.find('"', 1);
  if (close == std::string_view::npos || close + 1 >= value.size() || value[close + 1] != ':') {
    return false;
  }
  std::string_view offset = value.substr(close + 2);
  return !offset.empty() && std::all_of(offset.begin(), offset.end(), [](char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
  });
}

}  // namespace

PixelScale::PixelScale(platform::BaseUnits units)
    : x_(static_cast<float>(units.horizontal) / 8.0f),
      y_(static_cast<float>(units.vertical) / 16.0f) {
  if (x_ == 0.0f) x_ = 1.0f;
  if (y_ == 0.0f) y_ = 1.0f;
}

int PixelScale::Convert(int twips, int divisor, float scale) {
  float pixels = static_cast<float>(twips / divisor) * scale;
  // Cut towards zero, kept within the range of an int.
  if (pixels >= static_cast<float>(INT_MAX)) return INT_MAX;
  if (pixels <= static_cast<float>(INT_MIN)) return INT_MIN;
  return static_cast<int>(pixels);
}

int WholeNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > int64_t{INT_MAX} + 1) break;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

FormBlock ReadBeginLine(std::string_view line) {
  FormBlock block;
  std::string_view rest = line.substr(std::min<size_t>(6, line.size()));  // after "Begin "
  if (StartsWithIgnoringCase(rest, "VB.")) rest.remove_prefix(3);
  for (const TypeWord& entry : kTypeWords) {
    std::string withBlank = std::string(entry.word) + " ";
    if (StartsWithIgnoringCase(rest, withBlank)) {
      block.type = entry.type;
      block.typeWord = std::string(entry.word);
      block.name = Normalized(rest.substr(withBlank.size()));
      return block;
    }
  }
  size_t blank = rest.find(' ');
  block.typeWord = std::string(rest.substr(0, blank));
  if (blank != std::string_view::npos) block.name = Normalized(rest.substr(blank + 1));
  return block;
}

PropertyLine SplitPropertyLine(std::string_view line) {
  if (!line.empty() && line.front() == '=') return {".", "."};
  size_t equals = line.find('=');
  std::string_view before = line.substr(0, equals);
  // The name ends one character before "=": the blank that stands there.
  PropertyLine property{Normalized(before.substr(0, before.empty() ? 0 : before.size() - 1)), ""};
  if (equals != std::string_view::npos) {
    std::string value(line.substr(equals + 1));
    StripComment(value);
    TrimBlanks(value);
    property.value = std::move(value);
  }
  return property;
}

std::string BoundName(const FormBlock& block) {
  if (!block.index) return block.name;
  return block.name + "(" + std::to_string(*block.index) + ")";
}

std::string CaptionText(std::string_view value) {
  if (IsFrxReference(value)) return std::string(kFrxPlaceholder);
  std::string text(value);
  if (!text.empty() && text.front() == '"') text.erase(0, 1);
  if (!text.empty() && text.back() == '"') text.pop_back();
  for (size_t i = text.size(); i >= 2; --i) {
    if (text[i - 1] == '"' && text[i - 2] == '"') {
      text.erase(i - 1, 1);
      --i;
    }
  }
  if (!text.empty() && text.front() == '$') return std::string(kFrxPlaceholder);
  return text;
}

platform::Colour ReadColour(std::string_view value,
                            const std::function<platform::Colour(int)>& systemColour) {
  uint32_t colour = ReadHex(value.substr(std::min<size_t>(2, value.size())));
  if (colour <= 0xFFFFFF) return colour;
  uint32_t index = ReadHex(value.substr(std::min<size_t>(3, value.size()))) & 0xFFFF;
  return systemColour(static_cast<int>(index));
}

void ApplyBlockProperty(FormBlock& block, const PropertyLine& property, const PixelScale& scale,
                        const std::function<platform::Colour(int)>& systemColour) {
  const std::string& name = property.name;
  const std::string& value = property.value;
  int n = WholeNumber(value);
  int32_t type = block.type;
  // Containers and labels take no place in the Tab order.
  bool formLabelOrFrame = type == kControlForm || type == kControlLabel || type == kControlFrame ||
                          type == kControlPictureBox;
  if (Is(name, "Height")) {
    block.height = type == kControlComboBox ? scale.ComboHeight(n) : scale.Vertical(n);
    block.heightGiven = true;
  } else if (Is(name, "Width")) {
    block.width = scale.Horizontal(n);
    block.widthGiven = true;
  } else if (Is(name, "Top")) {
    block.top = scale.Vertical(n);
  } else if (Is(name, "Left")) {
    block.left = scale.Horizontal(n);
  } else if (Is(name, "Caption") || Is(name, "Text")) {
    block.caption = CaptionText(value);
  } else if (Is(name, "Enabled")) {
    block.enabled = n;
  } else if (Is(name, "Visible")) {
    block.visible = n;
  } else if (Is(name, "TabIndex") && !formLabelOrFrame) {
    block.tabIndex = n;
  } else if (Is(name, "MultiLine")) {
    if (n != 0) block.style |= ws::kEditMultiLine | ws::kEditWantReturn;
  } else if (Is(name, "Default")) {
    block.style |= ws::kDefPushButton;
  } else if (Is(name, "MaxLength")) {
    block.maxLength = n;
  } else if (Is(name, "MultiSelect")) {
    if (n == 1) block.style |= ws::kListMultipleSel;
    if (n == 2) block.style |= ws::kListExtendedSel;
  } else if (Is(name, "Value")) {
    block.value = n;
  } else if (Is(name, "Sorted") && (type == kControlComboBox || type == kControlListBox)) {
    if (n != 0) block.style |= type == kControlComboBox ? ws::kComboSort : ws::kListSort;
  } else if (Is(name, "Alignment") && type == kControlTextBox) {
    if (n == 1) block.style |= ws::kEditRight;
    if (n == 2) block.style |= ws::kEditCenter;
  } else if (Is(name, "Alignment")) {
    if (n == 1) block.style |= ws::kLeftText;
  } else if (Is(name, "BackColor")) {
    block.backColour = ReadColour(value, systemColour);
  } else if (Is(name, "ForeColor")) {
    block.foreColour = ReadColour(value, systemColour);
  } else if (Is(name, "TabIndex")) {
    block.style |= ws::kTabStop;
  } else if (Is(name, "ScrollBars")) {
    if (n == 1 || n == 3) block.style |= ws::kHScroll;
    if (n == 2 || n == 3) block.style |= ws::kVScroll;
  } else if (Is(name, "MinButton")) {
    if (n == 0) block.style &= ~ws::kMinimizeBox;
  } else if (Is(name, "MaxButton")) {
    if (n == 0) block.style &= ~ws::kMaximizeBox;
  } else if (Is(name, "Style")) {
    // The combo box types; a template that already drops down keeps doing so.
    if (block.style != 0) block.style &= ~uint32_t{1};
    if (n == 0) block.style |= ws::kComboDropDown;
    if (n == 1) block.style |= ws::kComboSimple;
    if (n == 2) block.style |= ws::kComboDropDownList;
  } else if (Is(name, "Interval")) {
    block.interval = n;
  } else if (Is(name, "PasswordChar") && type == kControlTextBox) {
    block.style |= ws::kEditPassword;
    block.passwordChar = value.size() > 1 ? value[1] : '\0';  // the character inside the quotes
  } else if (Is(name, "BackStyle")) {
    block.backStyle = n == 0 ? 1 : 2;
  } else if (Is(name, "BorderStyle")) {
    if (block.style != 0) block.style &= ~uint32_t{0x70};
    if (n == 1) block.style |= ws::kBorder;
    if (n == 2) block.style |= ws::kThickFrame;
    if (n == 3) block.style |= ws::kDialogModalFrame;
  } else if (Is(name, "FontSize")) {
    block.fontSize = std::strtod(value.c_str(), nullptr);
  } else if (Is(name, "Min")) {
    block.minimum = n;
  } else if (Is(name, "Max")) {
    block.maximum = n;
  } else if (Is(name, "SmallChange")) {
    block.smallChange = n;
  } else if (Is(name, "LargeChange")) {
    block.largeChange = n;
  } else if (Is(name, "ClientWidth") && type == kControlForm) {
    block.clientWidth = scale.Horizontal(n);
  } else if (Is(name, "ClientHeight") && type == kControlForm) {
    block.clientHeight = scale.Vertical(n);
  } else if (Is(name, "Index") && type != kControlForm) {
    block.index = n;
  } else if (Is(name, "Picture")) {
    size_t colon = value.find(':');
    if (colon != std::string::npos) block.pictureOffset = ReadHex(value.substr(colon + 1));
  }
}

}  // namespace quorl
