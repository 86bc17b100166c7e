// The form's dialog procedure and the procedure every control is subclassed
// with: what the window system reports goes to the host through FormEvents,
// and the controls are painted in the colours the host gives them.
#include "platform/win32/resource_ids.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_painting.h"
#include "platform/win32/win32_windows.h"

namespace quorl::platform {
namespace {

constexpr const char* kOwnerProperty = "Quorl.Windows";

bool IsColourMessage(UINT message) {
  return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

bool IsGroupBox(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// A dialog procedure answers most messages through the dialog's result slot.
INT_PTR DialogResult(HWND dialog, LRESULT result) {
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
  return TRUE;
}

void AppendSystemMenuItems(HWND form) {
  HMENU menu = GetSystemMenu(form, FALSE);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, command::kAboutQuorl, "About Quorl...");
  AppendMenuA(menu, MF_STRING, command::kAboutForm, "About This Form...");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, command::kHomePage, "Quorl Home Page -->");
}

}  // namespace

INT_PTR CALLBACK Win32Windows::FormProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
  auto* self = reinterpret_cast<Win32Windows*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  return self ? self->OnFormMessage(window, message, wParam, lParam) : FALSE;
}

INT_PTR Win32Windows::OnFormMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      form_ = window;
      SetClassLongPtrA(
          window, GCLP_HICON,
          reinterpret_cast<LONG_PTR>(LoadIconA(instance_, MAKEINTRESOURCEA(IDI_QUORL))));
      AppendSystemMenuItems(window);
      return TRUE;
    case WM_SETFOCUS:
      // The focus stays on the form until the program or the user gives it to
      // a control; the dialog manager would pick the first control itself.
      return TRUE;
    case WM_DESTROY:
      KillTimer(window, 0);
      timerPeriod_.reset();
      formDestroyed_ = true;
      if (sink_) sink_->OnFormDestroyed();
      PostQuitMessage(0);
      return TRUE;
    case WM_PAINT:
      return PaintForm(window);
    case WM_SETCURSOR:
      if (!sink_ || !sink_->IsBusy()) return FALSE;
      SetCursor(LoadCursor(nullptr, IDC_WAIT));
      return DialogResult(window, TRUE);
    case WM_GETMINMAXINFO:
      if (std::optional<Size> size = sink_ ? sink_->FixedFormSize() : std::nullopt) {
        // The user cannot resize the form.
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {size->width, size->height};
        limits->ptMaxTrackSize = {size->width, size->height};
      }
      return FALSE;
    case WM_GETFONT:
      return DialogResult(window, reinterpret_cast<LRESULT>(fonts_.Control()));
    case WM_COMMAND: {
      // A control losing the focus to a closing form reports nothing.
      auto control = reinterpret_cast<HWND>(lParam);
      if (sink_ && control && !closing_ && !IsQuietChange(control, HIWORD(wParam))) {
        sink_->OnCommand(ToHandle(control), HIWORD(wParam));
      }
      return TRUE;
    }
    case WM_SYSCOMMAND: {
      int command = static_cast<int>(wParam);
      if ((wParam & 0xFFF0) == SC_CLOSE) command = command::kClose;
      if (command != command::kClose && command != command::kAboutQuorl &&
          command != command::kAboutForm && command != command::kHomePage) {
        return FALSE;  // moving, minimising and the like are the system's
      }
      if (sink_) sink_->OnSystemCommand(command);
      return TRUE;
    }
    case WM_TIMER:
      if (sink_) sink_->OnTimer();
      return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL:
      OnScrollMessage(message, wParam, lParam);
      return TRUE;
    case WM_LBUTTONDOWN:
      if (sink_)
        sink_->OnFormMouseDown(
            {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))});
      return TRUE;
    default:
      if (IsColourMessage(message)) {
        return reinterpret_cast<INT_PTR>(
            ControlColours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)));
      }
      return FALSE;
  }
}

BOOL Win32Windows::PaintForm(HWND window) {
  if (!sink_) return FALSE;
  RECT client;
  GetClientRect(window, &client);
  std::optional<StatusStripPaint> strip = sink_->StatusStrip(client.right - client.left);
  if (!strip) return FALSE;
  PAINTSTRUCT paint;
  HDC context = BeginPaint(window, &paint);
  PaintStatusStrip(context, client, *strip, fonts_.Plain(), instance_);
  EndPaint(window, &paint);
  return TRUE;
}

void Win32Windows::OnScrollMessage(UINT, WPARAM wParam, LPARAM lParam) {
  HWND scrollBar = reinterpret_cast<HWND>(lParam);
  auto found = controls_.find(scrollBar);
  if (!sink_ || found == controls_.end() || found->second.windowClass != WindowClass::kScrollBar) {
    return;
  }
  // The thumb's position travels as a signed 16-bit number.
  sink_->OnScroll(ToHandle(scrollBar), LOWORD(wParam), static_cast<int16_t>(HIWORD(wParam)));
}

bool Win32Windows::IsQuietChange(HWND control, int notification) {
  return (notification == EN_UPDATE || notification == EN_CHANGE) && quietEdits_.count(control);
}

// True when a full edit box will refuse the typed character: Wine's box then
// reports a change although its text stays as it is.
bool Win32Windows::RefusesCharacter(HWND edit, WPARAM code) {
  if (code < ' ' || code > 255) return false;
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  auto limit = static_cast<int>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
  return start == end && GetWindowTextLengthA(edit) >= limit;
}

HBRUSH Win32Windows::SolidBrush(Colour colour) {
  auto found = brushes_.find(colour);
  if (found != brushes_.end()) return found->second;
  HBRUSH brush = CreateSolidBrush(colour);
  brushes_[colour] = brush;
  return brush;
}

HBRUSH Win32Windows::ControlColours(HWND control, HDC context) {
  std::optional<ControlPaint> paint =
      sink_ ? sink_->ControlColours(ToHandle(control)) : std::nullopt;
  if (!paint) return nullptr;
  SetTextColor(context, paint->text);
  SetBkColor(context, paint->background);
  auto found = controls_.find(control);
  if (found != controls_.end() && found->second.windowClass == WindowClass::kStatic) {
    SetBkMode(context, paint->transparent ? TRANSPARENT : OPAQUE);
  }
  return SolidBrush(paint->background);
}

void Win32Windows::PaintImage(HWND window, const ControlWindow& control) {
  PAINTSTRUCT paint;
  HDC context = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  auto background = reinterpret_cast<HBRUSH>(GetClassLongPtrA(form_, GCLP_HBRBACKGROUND));
  HGDIOBJ oldBrush = SelectObject(context, background ? background : GetStockObject(WHITE_BRUSH));
  HGDIOBJ oldPen = SelectObject(context, GetStockObject(NULL_PEN));
  Rectangle(context, 0, 0, client.right + 1, client.bottom + 1);
  DrawIcon(context, 0, 0, control.picture);
  SelectObject(context, oldPen);
  SelectObject(context, oldBrush);
  EndPaint(window, &paint);
}

LRESULT CALLBACK Win32Windows::ControlProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  auto* self = static_cast<Win32Windows*>(GetPropA(window, kOwnerProperty));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  auto found = self->controls_.find(window);
  if (found == self->controls_.end()) return DefWindowProcA(window, message, wParam, lParam);
  return self->OnControlMessage(window, found->second, message, wParam, lParam);
}

LRESULT Win32Windows::OnControlMessage(HWND window, ControlWindow& control, UINT message,
                                       WPARAM wParam, LPARAM lParam) {
  // The record may go while the script runs; the previous procedure stays valid.
  WNDPROC previous = control.previous ? control.previous : DefWindowProcA;
  WindowClass windowClass = control.windowClass;
  if (message == WM_NCDESTROY) {
    ForgetControl(window);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    return CallWindowProcA(previous, window, message, wParam, lParam);
  }
  if (message == WM_SETCURSOR && sink_ && sink_->IsBusy()) {
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    return TRUE;
  }
  if (message == WM_GETFONT && windowClass != WindowClass::kImage &&
      windowClass != WindowClass::kScrollBar) {
    return reinterpret_cast<LRESULT>(control.ownFont ? control.ownFont : fonts_.Control());
  }
  bool takesCharacters = windowClass == WindowClass::kEdit ||
                         windowClass == WindowClass::kComboBox ||
                         windowClass == WindowClass::kListBox;
  if (message == WM_CHAR && takesCharacters && sink_) {
    // The script's KeyPress procedure may replace the character.
    wParam = static_cast<WPARAM>(sink_->OnCharacter(ToHandle(window), static_cast<int>(wParam)));
    if (!IsWindow(window)) return 0;
    if (windowClass == WindowClass::kEdit && RefusesCharacter(window, wParam)) {
      ++quietEdits_[window];
      LRESULT result = CallWindowProcA(previous, window, message, wParam, lParam);
      if (--quietEdits_[window] == 0) quietEdits_.erase(window);
      return result;
    }
  }
  bool isContainer = windowClass == WindowClass::kImage ||
                     (windowClass == WindowClass::kButton && IsGroupBox(window));
  if (isContainer) {
    // Controls inside a Frame or picture report to the form through it.
    if (message == WM_COMMAND) return SendMessageA(GetParent(window), message, wParam, lParam);
    if (message == WM_HSCROLL || message == WM_VSCROLL) {
      OnScrollMessage(message, wParam, lParam);
      return 0;
    }
    if (IsColourMessage(message)) {
      auto child = reinterpret_cast<HWND>(lParam);
      if (child != window && controls_.count(child)) {
        return SendMessageA(child, message, wParam, lParam);
      }
      if (child == window) {
        return reinterpret_cast<LRESULT>(ControlColours(window, reinterpret_cast<HDC>(wParam)));
      }
    }
  }
  if (IsColourMessage(message) && !isContainer) {
    // A message a container passed on: the control answers with its own colours.
    HWND colourOf = windowClass == WindowClass::kComboBox ? window : reinterpret_cast<HWND>(lParam);
    if (HBRUSH brush = ControlColours(colourOf, reinterpret_cast<HDC>(wParam))) {
      return reinterpret_cast<LRESULT>(brush);
    }
  }
  if ((message == WM_HSCROLL || message == WM_VSCROLL) && windowClass == WindowClass::kScrollBar) {
    OnScrollMessage(message, wParam, lParam);
  }
  if (message == WM_PAINT && windowClass == WindowClass::kImage && control.picture) {
    PaintImage(window, control);
    return 0;
  }
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

}  // namespace quorl::platform
