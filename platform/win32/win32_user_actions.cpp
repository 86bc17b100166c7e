// The user actions of an event file, carried out on the real controls with
// the messages that the user's mouse and keyboard produce. After anything
// that may run the script (a change of focus, a notification) the target is
// looked at again: the script may have hidden, emptied or destroyed it.
#include <algorithm>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_windows.h"

namespace quorl::platform {
namespace {

// The message a scroll bar sends its parent, by its direction.
UINT ScrollMessage(HWND scrollBar) {
  return (GetWindowLongA(scrollBar, GWL_STYLE) & SBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
}

}  // namespace

bool Win32Windows::TakesInput(HWND window) {
  if (!IsWindow(window) || !IsWindowVisible(window)) return false;
  for (HWND up = window; up; up = GetParent(up)) {
    if (!IsWindowEnabled(up)) return false;
    if (up == form_) break;
  }
  return true;
}

// A control reports to its parent, as it does when the user works it.
void Win32Windows::SendNotification(HWND control, int notification) {
  if (!IsWindow(control)) return;
  auto id = static_cast<WORD>(GetDlgCtrlID(control));
  SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(id, notification),
               reinterpret_cast<LPARAM>(control));
}

// The user clicks behind the last character before typing.
void Win32Windows::MoveCaretToEnd(HWND control, const ControlWindow& record) {
  int length = GetWindowTextLengthA(control);
  if (record.windowClass == WindowClass::kEdit) {
    SendMessageA(control, EM_SETSEL, static_cast<WPARAM>(length), length);
  } else if (record.windowClass == WindowClass::kComboBox) {
    SendMessageA(control, CB_SETEDITSEL, 0, MAKELPARAM(length, length));
  }
}

// The mouse presses and releases the button at its top-left corner. A button
// the form gave no size has no pixel to click; an event file may still click
// it, so it has one pixel while it is pressed.
void Win32Windows::ClickButton(HWND button) {
  RECT area;
  GetClientRect(button, &area);
  bool sizeless = area.right <= 0 || area.bottom <= 0;
  constexpr UINT kQuietly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
  if (sizeless) SetWindowPos(button, nullptr, 0, 0, 1, 1, kQuietly);
  SendMessageA(button, BM_CLICK, 0, 0);
  if (sizeless && IsWindow(button)) {
    SetWindowPos(button, nullptr, 0, 0, area.right, area.bottom, kQuietly);
  }
}

bool Win32Windows::Click(WindowHandle control) {
  HWND window = ToHwnd(control);
  ControlWindow* record = FindControl(control);
  if (!record || !TakesInput(window)) return false;
  switch (record->windowClass) {
    case WindowClass::kButton:
      // A button takes the focus, checks itself if it is a check or option
      // box, and notifies its parent: all as the mouse would make it.
      // A frame takes no clicks.
      if ((GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX) ClickButton(window);
      return true;
    case WindowClass::kEdit:
    case WindowClass::kListBox:
    case WindowClass::kComboBox:
      ::SetFocus(window);
      return true;
    default:
      return true;  // labels, images and scroll bars do nothing with a click
  }
}

bool Win32Windows::Type(WindowHandle control, int code) {
  HWND window = ToHwnd(control);
  ControlWindow* record = FindControl(control);
  if (!record || !TakesInput(window)) return false;
  WindowClass windowClass = record->windowClass;
  if (windowClass != WindowClass::kEdit && windowClass != WindowClass::kListBox &&
      windowClass != WindowClass::kComboBox) {
    return false;
  }
  if (code == '\t') {  // the message loop takes Tab before the control sees it
    PressTab(false);
    return true;
  }
  ::SetFocus(window);
  record = FindControl(control);
  if (!record || !IsWindow(window)) return true;
  MoveCaretToEnd(window, *record);
  SendMessageA(window, WM_CHAR, static_cast<WPARAM>(code), 1);
  return true;
}

bool Win32Windows::SelectItem(WindowHandle list, int index) {
  HWND window = ToHwnd(list);
  ControlWindow* record = FindControl(list);
  if (!record || !TakesInput(window)) return false;
  WindowClass windowClass = record->windowClass;
  if (windowClass != WindowClass::kListBox && windowClass != WindowClass::kComboBox) return false;
  if (index < 0 || index >= ItemCount(list)) return false;
  ::SetFocus(window);
  // The focus change may have run the script: the item must still be there.
  if (!FindControl(list) || index >= ItemCount(list)) return true;
  if (windowClass == WindowClass::kListBox) {
    LONG style = GetWindowLongA(window, GWL_STYLE);
    if (style & LBS_MULTIPLESEL) {
      bool selected = SendMessageA(window, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
      SendMessageA(window, LB_SETSEL, !selected, index);
      SendMessageA(window, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    } else if (style & LBS_EXTENDEDSEL) {
      SendMessageA(window, LB_SETSEL, FALSE, -1);
      SendMessageA(window, LB_SETSEL, TRUE, index);
      SendMessageA(window, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    } else {
      SendMessageA(window, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    if (style & LBS_NOTIFY) SendNotification(window, LBN_SELCHANGE);
    return true;
  }
  bool dropsDown = (GetWindowLongA(window, GWL_STYLE) & 3) != CBS_SIMPLE;
  if (dropsDown) SendNotification(window, CBN_DROPDOWN);
  if (!FindControl(list) || index >= ItemCount(list)) return true;
  SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendNotification(window, CBN_SELCHANGE);
  SendNotification(window, CBN_SELENDOK);
  if (dropsDown) SendNotification(window, CBN_CLOSEUP);
  return true;
}

bool Win32Windows::Scroll(WindowHandle scrollBar, int request, int position) {
  HWND window = ToHwnd(scrollBar);
  ControlWindow* record = FindControl(scrollBar);
  if (!record || record->windowClass != WindowClass::kScrollBar || !TakesInput(window)) {
    return false;
  }
  UINT message = ScrollMessage(window);
  auto send = [&](int code, int thumb) {
    if (!IsWindow(window)) return;
    SendMessageA(GetParent(window), message, MAKEWPARAM(code, static_cast<WORD>(thumb)),
                 reinterpret_cast<LPARAM>(window));
  };
  if (request == SB_THUMBPOSITION) {
    // The thumb cannot be dragged past the ends of the bar.
    ScrollRange range = ScrollBarRange(scrollBar);
    int low = std::min(range.minimum, range.maximum);
    int high = std::max(range.minimum, range.maximum);
    position = std::clamp(position, low, high);
    send(SB_THUMBTRACK, position);
  }
  send(request, position);
  send(SB_ENDSCROLL, 0);
  return true;
}

bool Win32Windows::TimerTick() {
  if (!timerPeriod_ || formDestroyed_ || !form_) return false;
  SendMessageA(form_, WM_TIMER, 0, 0);
  return true;
}

void Win32Windows::PressTab(bool backwards) {
  if (!form_ || formDestroyed_) return;
  // The key goes to the window with the focus, through the message loop;
  // Shift is held down while it is read.
  BYTE keys[256];
  GetKeyboardState(keys);
  BYTE shift = keys[VK_SHIFT];
  keys[VK_SHIFT] = backwards ? 0x80 : 0;
  SetKeyboardState(keys);
  HWND focus = ToHwnd(Focus());
  PostMessageA(focus, WM_KEYDOWN, VK_TAB, 1);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    bool wasTab = message.message == WM_KEYDOWN && message.wParam == VK_TAB;
    DispatchOne(message);
    if (wasTab) break;
  }
  GetKeyboardState(keys);
  keys[VK_SHIFT] = shift;
  SetKeyboardState(keys);
}

void Win32Windows::ChooseSystemCommand(int command) {
  if (form_ && !formDestroyed_) SendMessageA(form_, WM_SYSCOMMAND, static_cast<WPARAM>(command), 0);
}

}  // namespace quorl::platform
