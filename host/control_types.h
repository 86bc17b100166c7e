// The control type codes kept in a control record's kind, and what the
// dialect makes of each type.
#pragma once

#include <cstdint>
#include <string_view>

#include "values/value.h"

namespace quorl {

enum ControlType : int32_t {
  kControlForm = kKindForm,  // 15
  kControlCommandButton = 16,
  kControlCheckBox = 17,
  kControlOptionButton = 18,
  kControlComboBox = 19,
  kControlListBox = 20,
  kControlFrame = 21,
  kControlTextBox = 22,
  kControlLabel = 23,
  kControlTimer = 24,
  kControlScrollBar = 25,  // VScrollBar and HScrollBar
  kControlImage = 26,
  kControlPictureBox = 27,  // a plain window that holds controls, as a Frame does
};

// Types whose default property is their text.
inline bool HasTextDefault(int32_t type) {
  return type == kControlForm || type == kControlCommandButton || type == kControlTextBox ||
         type == kControlComboBox || type == kControlListBox || type == kControlFrame ||
         type == kControlLabel;
}

// Types whose default property is their value.
inline bool HasValueDefault(int32_t type) {
  return type == kControlCheckBox || type == kControlOptionButton || type == kControlScrollBar;
}

inline bool IsListType(int32_t type) {
  return type == kControlComboBox || type == kControlListBox;
}

inline bool IsCheckType(int32_t type) {
  return type == kControlCheckBox || type == kControlOptionButton;
}

}  // namespace quorl
