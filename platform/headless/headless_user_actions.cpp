// What the user's mouse and keyboard do to the standard controls kept in memory.
#include <algorithm>
#include <cctype>

#include "platform/headless/headless_windows.h"

namespace quorl::platform {
namespace {

constexpr int kEditMaxText = 0x0501;  // an edit box refused a character: it is full

bool IsPrintable(int code) {
  return code >= 32 && code <= 255;
}

}  // namespace

bool HeadlessWindows::TakesInput(WindowHandle window) {
  if (!IsVisible(window)) return false;
  for (Window* found = Find(window); found; found = Find(found->parent)) {
    if (found->style & style::kDisabled) return false;
  }
  return true;
}

bool HeadlessWindows::Click(WindowHandle control) {
  Window* found = Find(control);
  if (!found || found->isForm || !TakesInput(control)) return false;
  switch (found->windowClass) {
    case WindowClass::kButton: {
      uint32_t type = found->style & style::kButtonTypeMask;
      if (type == style::kGroupBox) return true;  // a frame takes no clicks
      SetFocus(control);
      found = Find(control);
      if (!found) return true;  // a focus event destroyed the form
      if (type == style::kAutoCheckBox) {
        found->check = found->check == 0 ? 1 : 0;
      } else if (type == style::kAutoThreeState) {
        found->check = (found->check + 1) % 3;
      } else if (type == style::kAutoRadioButton) {
        CheckAutoRadioButton(control);
      }
      Notify(control, notify::kButtonClicked);
      return true;
    }
    case WindowClass::kEdit:
    case WindowClass::kListBox:
    case WindowClass::kComboBox:
      SetFocus(control);
      return true;
    default:
      return true;  // labels, images and scroll bars do nothing with a click
  }
}

// Checks an automatic option button and unchecks the others of its group: its
// siblings from the last one that starts a group up to the next one that does.
void HeadlessWindows::CheckAutoRadioButton(WindowHandle button) {
  Window* found = Find(button);
  Window* parent = found ? Find(found->parent) : nullptr;
  if (!parent) return;
  const std::vector<WindowHandle>& siblings = parent->children;
  auto self = std::find(siblings.begin(), siblings.end(), button);
  auto first = self;
  while (first != siblings.begin() && !(Find(*first)->style & style::kGroup)) --first;
  auto last = self + 1;
  while (last != siblings.end() && !(Find(*last)->style & style::kGroup)) ++last;
  for (auto it = first; it != last; ++it) {
    Window* sibling = Find(*it);
    if (sibling->windowClass == WindowClass::kButton &&
        (sibling->style & style::kButtonTypeMask) == style::kAutoRadioButton) {
      sibling->check = *it == button ? 1 : 0;
    }
  }
}

bool HeadlessWindows::Type(WindowHandle control, int code) {
  Window* found = Find(control);
  if (!found || found->isForm || !TakesInput(control)) return false;
  WindowClass windowClass = found->windowClass;
  if (windowClass != WindowClass::kEdit && windowClass != WindowClass::kListBox &&
      windowClass != WindowClass::kComboBox) {
    return false;
  }
  if (code == key::kTab) {  // the message loop takes Tab before the control sees it
    PressTab(false);
    return true;
  }
  SetFocus(control);
  if (!Find(control) || !sink_) return true;
  int received = sink_->OnCharacter(control, code);
  found = Find(control);
  if (!found) return true;
  if (windowClass == WindowClass::kEdit || HasEditPart(*found)) {
    TypeIntoEdit(control, received);
  } else {
    TypeAhead(control, received);
  }
  return true;
}

// An edit box, or a combo box's edit part, takes the character at the end of
// its text: printable characters are added, Backspace removes the last one,
// Return starts a new line in a multi-line box; other codes are ignored.
void HeadlessWindows::TypeIntoEdit(WindowHandle control, int code) {
  Window* found = Find(control);
  bool isCombo = found->windowClass == WindowClass::kComboBox;
  if (!isCombo && (found->style & style::kEditReadOnly)) return;
  std::string added;
  if (code == key::kBackspace) {
    if (found->text.empty()) return;
    found->text.pop_back();
  } else {
    if (code == key::kReturn && !isCombo && (found->style & style::kEditMultiLine)) {
      added = "\r\n";
    } else if (IsPrintable(code)) {
      added = std::string(1, static_cast<char>(code));
    } else {
      return;
    }
    if (!isCombo && found->textLimit > 0 &&
        found->text.size() + added.size() > static_cast<size_t>(found->textLimit)) {
      Notify(control, kEditMaxText);
      return;
    }
    found->text += added;
  }
  if (isCombo) {
    Notify(control, notify::kComboEditUpdate);
    Notify(control, notify::kComboEditChange);
  } else {
    Notify(control, notify::kEditUpdate);
    Notify(control, notify::kEditChange);
  }
}

// A list without an edit part selects the next item that begins with the
// typed character, without regard to letter case.
void HeadlessWindows::TypeAhead(WindowHandle control, int code) {
  Window* found = Find(control);
  if (!IsPrintable(code) || found->items.empty() || IsMultipleSelection(*found)) return;
  int count = static_cast<int>(found->items.size());
  int wanted = std::tolower(code);
  for (int step = 1; step <= count; ++step) {
    int index = (std::max(found->selection, -1) + step + count) % count;
    const std::string& item = found->items[static_cast<size_t>(index)];
    if (!item.empty() && std::tolower(static_cast<unsigned char>(item[0])) == wanted) {
      SelectItem(control, index);
      return;
    }
  }
}

HeadlessWindows::Window* HeadlessWindows::ListWithItem(WindowHandle list, int index) {
  Window* found = Find(list);
  if (!found || index < 0 || index >= static_cast<int>(found->items.size())) return nullptr;
  return found;
}

bool HeadlessWindows::SelectItem(WindowHandle list, int index) {
  Window* found = ListWithItem(list, index);
  if (!found || found->isForm || !TakesInput(list)) return false;
  if (found->windowClass != WindowClass::kListBox && found->windowClass != WindowClass::kComboBox) {
    return false;
  }
  SetFocus(list);
  // The focus change ran the script, which may have emptied the list.
  found = ListWithItem(list, index);
  if (!found) return true;
  if (found->windowClass == WindowClass::kListBox) {
    if (found->style & style::kListMultipleSel) {
      found->selected[static_cast<size_t>(index)] = !found->selected[static_cast<size_t>(index)];
      found->caret = index;
    } else if (found->style & style::kListExtendedSel) {
      std::fill(found->selected.begin(), found->selected.end(), false);
      found->selected[static_cast<size_t>(index)] = true;
      found->caret = index;
    } else {
      found->selection = index;
    }
    if (found->style & style::kListNotify) Notify(list, notify::kListSelChange);
    return true;
  }
  bool dropsDown = (found->style & style::kComboTypeMask) != style::kComboSimple;
  if (dropsDown) Notify(list, notify::kComboDropDown);
  found = ListWithItem(list, index);
  if (!found) return true;
  found->selection = index;
  found->text = found->items[static_cast<size_t>(index)];
  Notify(list, notify::kComboSelChange);
  Notify(list, notify::kComboSelEndOk);
  if (dropsDown) Notify(list, notify::kComboCloseUp);
  return true;
}

bool HeadlessWindows::Scroll(WindowHandle scrollBar, int request, int position) {
  Window* found = Find(scrollBar);
  if (!found || found->windowClass != WindowClass::kScrollBar || !TakesInput(scrollBar)) {
    return false;
  }
  if (!sink_) return true;
  if (request == scroll::kThumbPosition) {
    // The thumb cannot be dragged past the ends of the bar.
    int low = std::min(found->range.minimum, found->range.maximum);
    int high = std::max(found->range.minimum, found->range.maximum);
    position = std::clamp(position, low, high);
    sink_->OnScroll(scrollBar, scroll::kThumbTrack, position);
  }
  if (!Find(scrollBar)) return true;
  sink_->OnScroll(scrollBar, request, position);
  if (Find(scrollBar)) sink_->OnScroll(scrollBar, scroll::kEndScroll, 0);
  return true;
}

bool HeadlessWindows::TimerTick() {
  if (!timerPeriod_ || formDestroyed_) return false;
  if (sink_) sink_->OnTimer();
  return true;
}

void HeadlessWindows::PressTab(bool backwards) {
  if (sink_ && form_) sink_->OnTabKey(focus_, backwards);
}

void HeadlessWindows::ChooseSystemCommand(int command) {
  if (sink_ && form_) sink_->OnSystemCommand(command);
}

}  // namespace quorl::platform
