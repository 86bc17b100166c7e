// The vocabulary shared by the host and the window system: window handles,
// rectangles, the window classes of the controls, and the style bits,
// notification codes and request codes of the standard controls. The numbers
// are the window system's own, so that the desktop host passes them through
// unchanged and the headless host reads the same bits.
#pragma once

#include <array>
#include <cstdint>

namespace quorl::platform {

// 0 is "no window".
using WindowHandle = uint32_t;

// 0x00BBGGRR, as the form file and the script write colours.
using Colour = uint32_t;

struct Point {
  int x = 0;
  int y = 0;
};

struct Size {
  int width = 0;
  int height = 0;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// A 32 x 32 icon of 16 colours: 4 bits a pixel and a 1-bit transparency
// mask, top row first.
struct IconBits {
  std::array<uint8_t, 512> colour{};
  std::array<uint8_t, 128> mask{};
};

// The standard window classes that controls are made of.
enum class WindowClass {
  kButton,  // command buttons, check boxes, option buttons, frames
  kStatic,  // labels
  kEdit,    // text boxes
  kListBox,
  kComboBox,
  kScrollBar,
  kImage,  // the program's own plain window class
};

// Window style bits.
namespace style {
inline constexpr uint32_t kPopup = 0x80000000;
inline constexpr uint32_t kChild = 0x40000000;
inline constexpr uint32_t kVisible = 0x10000000;
inline constexpr uint32_t kDisabled = 0x08000000;
inline constexpr uint32_t kClipSiblings = 0x04000000;
inline constexpr uint32_t kCaption = 0x00C00000;
inline constexpr uint32_t kBorder = 0x00800000;
inline constexpr uint32_t kVScroll = 0x00200000;
inline constexpr uint32_t kHScroll = 0x00100000;
inline constexpr uint32_t kSysMenu = 0x00080000;
inline constexpr uint32_t kThickFrame = 0x00040000;
inline constexpr uint32_t kGroup = 0x00020000;
inline constexpr uint32_t kTabStop = 0x00010000;
inline constexpr uint32_t kMinimizeBox = 0x00020000;
inline constexpr uint32_t kMaximizeBox = 0x00010000;
inline constexpr uint32_t kDialogModalFrame = 0x00000080;

// Buttons: the low four bits are the button's type.
inline constexpr uint32_t kButtonTypeMask = 0x0F;
inline constexpr uint32_t kPushButton = 0x00;
inline constexpr uint32_t kDefPushButton = 0x01;
inline constexpr uint32_t kCheckBox = 0x02;
inline constexpr uint32_t kAutoCheckBox = 0x03;
inline constexpr uint32_t kRadioButton = 0x04;
inline constexpr uint32_t kThreeState = 0x05;
inline constexpr uint32_t kAutoThreeState = 0x06;
inline constexpr uint32_t kGroupBox = 0x07;
inline constexpr uint32_t kAutoRadioButton = 0x09;
inline constexpr uint32_t kLeftText = 0x20;

// Edit boxes.
inline constexpr uint32_t kEditCenter = 0x0001;
inline constexpr uint32_t kEditRight = 0x0002;
inline constexpr uint32_t kEditMultiLine = 0x0004;
inline constexpr uint32_t kEditPassword = 0x0020;
inline constexpr uint32_t kEditAutoHScroll = 0x0080;
inline constexpr uint32_t kEditReadOnly = 0x0800;
inline constexpr uint32_t kEditWantReturn = 0x1000;

// List boxes.
inline constexpr uint32_t kListNotify = 0x0001;
inline constexpr uint32_t kListSort = 0x0002;
inline constexpr uint32_t kListMultipleSel = 0x0008;
inline constexpr uint32_t kListHasStrings = 0x0040;
inline constexpr uint32_t kListExtendedSel = 0x0800;

// Combo boxes: the low two bits are the combo box's type.
inline constexpr uint32_t kComboTypeMask = 0x03;
inline constexpr uint32_t kComboSimple = 0x01;
inline constexpr uint32_t kComboDropDown = 0x02;
inline constexpr uint32_t kComboDropDownList = 0x03;
inline constexpr uint32_t kComboSort = 0x0100;

// Scroll bars.
inline constexpr uint32_t kScrollHorizontal = 0x0000;
inline constexpr uint32_t kScrollVertical = 0x0001;
}  // namespace style

// Notification codes a control sends its parent with a command message.
namespace notify {
inline constexpr int kButtonClicked = 0;
inline constexpr int kEditSetFocus = 0x0100;
inline constexpr int kEditKillFocus = 0x0200;
inline constexpr int kEditChange = 0x0300;
inline constexpr int kEditUpdate = 0x0400;
inline constexpr int kListSelChange = 1;
inline constexpr int kListSetFocus = 4;
inline constexpr int kListKillFocus = 5;
inline constexpr int kComboSelChange = 1;
inline constexpr int kComboSetFocus = 3;
inline constexpr int kComboKillFocus = 4;
inline constexpr int kComboEditChange = 5;
inline constexpr int kComboEditUpdate = 6;
inline constexpr int kComboDropDown = 7;
inline constexpr int kComboCloseUp = 8;
inline constexpr int kComboSelEndOk = 9;
}  // namespace notify

// Scroll requests.
namespace scroll {
inline constexpr int kLineUp = 0;
inline constexpr int kLineDown = 1;
inline constexpr int kPageUp = 2;
inline constexpr int kPageDown = 3;
inline constexpr int kThumbPosition = 4;
inline constexpr int kThumbTrack = 5;
inline constexpr int kTop = 6;
inline constexpr int kBottom = 7;
inline constexpr int kEndScroll = 8;
}  // namespace scroll

// Commands of the form's system menu: the program's own items and Close.
namespace command {
inline constexpr int kAboutQuorl = 1;
inline constexpr int kHomePage = 2;
inline constexpr int kAboutForm = 3;
inline constexpr int kClose = 0xF060;
}  // namespace command

// Character codes with a meaning of their own when typed into a control.
namespace key {
inline constexpr int kBackspace = 8;
inline constexpr int kTab = 9;
inline constexpr int kReturn = 13;
}  // namespace key

}  // namespace quorl::platform
