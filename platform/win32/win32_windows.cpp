#include "platform/win32/win32_windows.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/win32/resource_ids.h"
#include "platform/win32/win32_handles.h"

namespace quorl::platform {
namespace {

// Where each control keeps the program that made it.
constexpr const char* kOwnerProperty = "Quorl.Windows";

const char* ClassName(WindowClass windowClass) {
  switch (windowClass) {
    case WindowClass::kButton:
      return "BUTTON";
    case WindowClass::kStatic:
      return "STATIC";
    case WindowClass::kEdit:
      return "EDIT";
    case WindowClass::kListBox:
      return "LISTBOX";
    case WindowClass::kComboBox:
      return "COMBOBOX";
    case WindowClass::kScrollBar:
      return "SCROLLBAR";
    case WindowClass::kImage:
      return kImageWindowClass;
  }
  return "STATIC";
}

// The sixteen colours of the pictures that LOADFRX reads, as red, green, blue.
constexpr std::array<uint32_t, 16> kPictureColours = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

HICON MakeIcon(const IconBits& bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 32;
  info.bmiHeader.biHeight = -32;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP colour = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!colour) return nullptr;
  auto* out = static_cast<uint32_t*>(pixels);
  for (int i = 0; i < 32 * 32; ++i) {
    int shift = (i % 2 == 0) ? 4 : 0;
    int index = (bits.colour[static_cast<size_t>(i / 2)] >> shift) & 0x0F;
    bool transparent = bits.mask[static_cast<size_t>(i / 8)] & (0x80 >> (i % 8));
    // Without alpha, the mask decides: the colour part is black where it shows through.
    out[i] = transparent ? 0 : kPictureColours[static_cast<size_t>(index)];
  }
  HBITMAP mask = CreateBitmap(32, 32, 1, 1, bits.mask.data());
  ICONINFO icon{TRUE, 0, 0, mask, colour};
  HICON made = CreateIconIndirect(&icon);
  DeleteObject(mask);
  DeleteObject(colour);
  return made;
}

}  // namespace

void RegisterImageWindowClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = CreateSolidBrush(RGB(5, 0, 0));
  windowClass.lpszClassName = kImageWindowClass;
  RegisterClassA(&windowClass);
}

Win32Windows::Win32Windows(HINSTANCE instance, const Win32Fonts& fonts, bool scripted)
    : instance_(instance), fonts_(fonts), scripted_(scripted) {}

Win32Windows::~Win32Windows() {
  if (form_ && !formDestroyed_) DestroyWindow(form_);
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
}

Win32Windows::ControlWindow* Win32Windows::FindControl(WindowHandle window) {
  auto found = controls_.find(ToHwnd(window));
  return found == controls_.end() ? nullptr : &found->second;
}

BaseUnits Win32Windows::DialogBaseUnits() {
  LONG units = GetDialogBaseUnits();
  return {LOWORD(units), HIWORD(units)};
}

Colour Win32Windows::SystemColour(int index) {
  return GetSysColor(index);
}

WindowHandle Win32Windows::CreateForm() {
  if (form_) return 0;
  HWND form = CreateDialogParamA(instance_, MAKEINTRESOURCEA(IDD_FORM), nullptr, FormProcedure,
                                 reinterpret_cast<LPARAM>(this));
  form_ = form;
  return ToHandle(form);
}

uint32_t Win32Windows::TemplateStyle(TemplateItem item) {
  HWND templateItem = form_ ? GetDlgItem(form_, item == TemplateItem::kComboBox ? IDC_TEMPLATE_COMBO
                                                                                : IDC_TEMPLATE_EDIT)
                            : nullptr;
  if (templateItem) return static_cast<uint32_t>(GetWindowLongA(templateItem, GWL_STYLE));
  if (item == TemplateItem::kComboBox) {
    return WS_CHILD | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN;
  }
  return WS_CHILD | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
}

WindowHandle Win32Windows::CreateControl(WindowClass windowClass, uint32_t style,
                                         WindowHandle parent, const Rect& rect) {
  HWND parentWindow = ToHwnd(parent);
  if (!parentWindow || !IsWindow(parentWindow)) return 0;
  // Each control has an identifier of its own, so that the dialog manager
  // never mistakes one control for another.
  HWND window = CreateWindowExA(0, ClassName(windowClass), "", style, rect.left, rect.top,
                                rect.Width(), rect.Height(), parentWindow,
                                reinterpret_cast<HMENU>(static_cast<intptr_t>(nextControlId_++)),
                                instance_, nullptr);
  if (!window) return 0;
  ControlWindow record;
  record.windowClass = windowClass;
  record.previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
  controls_[window] = record;
  SetPropA(window, kOwnerProperty, this);
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProcedure));
  return ToHandle(window);
}

void Win32Windows::ForgetControl(HWND window) {
  auto found = controls_.find(window);
  if (found == controls_.end()) return;
  if (found->second.ownFont) DeleteObject(found->second.ownFont);
  if (found->second.picture) DestroyIcon(found->second.picture);
  RemovePropA(window, kOwnerProperty);
  controls_.erase(found);
}

void Win32Windows::DestroyForm() {
  if (!form_ || formDestroyed_) return;
  closing_ = true;
  DestroyWindow(form_);
}

std::string Win32Windows::Text(WindowHandle window) {
  HWND hwnd = ToHwnd(window);
  int length = GetWindowTextLengthA(hwnd);
  if (length <= 0) return {};
  std::vector<char> text(static_cast<size_t>(length) + 1);
  int copied = GetWindowTextA(hwnd, text.data(), length + 1);
  return std::string(text.data(), static_cast<size_t>(std::max(copied, 0)));
}

void Win32Windows::SetText(WindowHandle window, std::string_view text) {
  HWND hwnd = ToHwnd(window);
  auto found = controls_.find(hwnd);
  bool notifies = found != controls_.end() && found->second.windowClass == WindowClass::kEdit &&
                  !(GetWindowLongA(hwnd, GWL_STYLE) & ES_MULTILINE);
  if (!notifies) {
    SetWindowTextA(hwnd, std::string(text).c_str());
    return;
  }
  // A single-line edit box reports its new text. Its own reports would reach
  // the form through window procedures nested in each other, which Wine cuts
  // off silently at a fixed depth, so a script that sets a text from that
  // text's own event would nest without the frame limit ever ending it: the
  // box is quiet while its text is set, and the same reports go straight to
  // the host.
  ++quietEdits_[hwnd];
  SetWindowTextA(hwnd, std::string(text).c_str());
  if (--quietEdits_[hwnd] == 0) quietEdits_.erase(hwnd);
  if (!sink_ || closing_) return;
  sink_->OnCommand(window, EN_UPDATE);
  if (IsWindow(hwnd)) sink_->OnCommand(window, EN_CHANGE);
}

uint32_t Win32Windows::Style(WindowHandle window) {
  return static_cast<uint32_t>(GetWindowLongA(ToHwnd(window), GWL_STYLE));
}

void Win32Windows::SetStyle(WindowHandle window, uint32_t style) {
  // Each change is a round trip to the window server: only real ones are made.
  if (Style(window) == style) return;
  SetWindowLongA(ToHwnd(window), GWL_STYLE, static_cast<LONG>(style));
}

WindowHandle Win32Windows::Parent(WindowHandle window) {
  HWND hwnd = ToHwnd(window);
  if (hwnd == form_) return 0;  // the form has no parent, only an owner
  return ToHandle(GetParent(hwnd));
}

Rect Win32Windows::WindowRect(WindowHandle window) {
  RECT rect{};
  GetWindowRect(ToHwnd(window), &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

Rect Win32Windows::ClientRect(WindowHandle window) {
  RECT rect{};
  GetClientRect(ToHwnd(window), &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

Point Win32Windows::ScreenToClient(WindowHandle window, Point point) {
  POINT converted{point.x, point.y};
  ::ScreenToClient(ToHwnd(window), &converted);
  return {converted.x, converted.y};
}

Point Win32Windows::ClientToScreen(WindowHandle window, Point point) {
  POINT converted{point.x, point.y};
  ::ClientToScreen(ToHwnd(window), &converted);
  return {converted.x, converted.y};
}

void Win32Windows::Move(WindowHandle window, const Rect& rect) {
  HWND hwnd = ToHwnd(window);
  // A window never has a negative size.
  int width = std::max(rect.Width(), 0);
  int height = std::max(rect.Height(), 0);
  RECT now{};
  GetWindowRect(hwnd, &now);
  POINT corner{now.left, now.top};
  if (HWND parent = GetParent(hwnd); parent && hwnd != form_) ::ScreenToClient(parent, &corner);
  if (corner.x == rect.left && corner.y == rect.top && now.right - now.left == width &&
      now.bottom - now.top == height) {
    return;
  }
  MoveWindow(hwnd, rect.left, rect.top, width, height, TRUE);
}

void Win32Windows::BringToTop(WindowHandle window) {
  SetWindowPos(ToHwnd(window), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool Win32Windows::IsEnabled(WindowHandle window) {
  return IsWindowEnabled(ToHwnd(window));
}

void Win32Windows::Enable(WindowHandle window, bool enabled) {
  HWND hwnd = ToHwnd(window);
  if (static_cast<bool>(IsWindowEnabled(hwnd)) != enabled) EnableWindow(hwnd, enabled);
}

bool Win32Windows::IsVisible(WindowHandle window) {
  return IsWindowVisible(ToHwnd(window));
}

void Win32Windows::Show(WindowHandle window, bool visible) {
  HWND hwnd = ToHwnd(window);
  if (static_cast<bool>(Style(window) & WS_VISIBLE) == visible) return;
  if (!visible) {
    ShowWindow(hwnd, SW_HIDE);
  } else {
    ShowWindow(hwnd, hwnd == form_ ? SW_SHOW : SW_SHOWNOACTIVATE);
  }
}

WindowHandle Win32Windows::Focus() {
  HWND focus = GetFocus();
  if (!focus || formDestroyed_ || !form_) return 0;
  return focus == form_ || IsChild(form_, focus) ? ToHandle(focus) : 0;
}

void Win32Windows::SetFocus(WindowHandle window) {
  ::SetFocus(ToHwnd(window));
}

void Win32Windows::SetClassBackground(WindowHandle window, Colour colour) {
  auto atom = static_cast<ATOM>(GetClassLongPtrA(ToHwnd(window), GCW_ATOM));
  auto known = classBackgrounds_.find(atom);
  if (known != classBackgrounds_.end() && known->second == colour) return;
  classBackgrounds_[atom] = colour;
  HBRUSH brush = CreateSolidBrush(colour);
  auto replaced = reinterpret_cast<HBRUSH>(
      SetClassLongPtrA(ToHwnd(window), GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush)));
  // A class may name a system colour instead of a brush; only brushes are deleted.
  if (reinterpret_cast<uintptr_t>(replaced) > COLOR_MENUBAR + 1) DeleteObject(replaced);
}

void Win32Windows::SetFont(WindowHandle window, double pointSize) {
  HWND hwnd = ToHwnd(window);
  HFONT font = pointSize == 0.0 ? fonts_.Control() : fonts_.MakeSized(pointSize);
  if (ControlWindow* record = FindControl(window)) {
    if (record->ownFont) DeleteObject(record->ownFont);
    record->ownFont = font == fonts_.Control() ? nullptr : font;
  }
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void Win32Windows::Invalidate(WindowHandle window) {
  InvalidateRect(ToHwnd(window), nullptr, TRUE);
}

void Win32Windows::SetPicture(WindowHandle image, const IconBits& icon) {
  ControlWindow* record = FindControl(image);
  if (!record) return;
  if (record->picture) DestroyIcon(record->picture);
  record->picture = MakeIcon(icon);
  InvalidateRect(ToHwnd(image), nullptr, TRUE);
}

int Win32Windows::CheckState(WindowHandle button) {
  return static_cast<int>(SendMessageA(ToHwnd(button), BM_GETCHECK, 0, 0));
}

void Win32Windows::SetCheckState(WindowHandle button, int state) {
  SendMessageA(ToHwnd(button), BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

void Win32Windows::SetHighlight(WindowHandle button, bool highlighted) {
  SendMessageA(ToHwnd(button), BM_SETSTATE, highlighted, 0);
}

void Win32Windows::LimitText(WindowHandle edit, int characters) {
  SendMessageA(ToHwnd(edit), EM_LIMITTEXT, static_cast<WPARAM>(std::max(characters, 0)), 0);
}

void Win32Windows::SetPasswordChar(WindowHandle edit, char character) {
  SendMessageA(ToHwnd(edit), EM_SETPASSWORDCHAR, static_cast<unsigned char>(character), 0);
}

bool Win32Windows::IsList(HWND window) {
  auto found = controls_.find(window);
  return found != controls_.end() && found->second.windowClass == WindowClass::kListBox;
}

int Win32Windows::AddItem(WindowHandle list, std::string_view text) {
  HWND hwnd = ToHwnd(list);
  std::string item(text);
  auto index = SendMessageA(hwnd, IsList(hwnd) ? LB_ADDSTRING : CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(item.c_str()));
  return static_cast<int>(index);
}

void Win32Windows::DeleteItem(WindowHandle list, int index) {
  HWND hwnd = ToHwnd(list);
  if (index < 0 || index >= ItemCount(list)) return;
  SendMessageA(hwnd, IsList(hwnd) ? LB_DELETESTRING : CB_DELETESTRING, static_cast<WPARAM>(index),
               0);
}

void Win32Windows::ClearItems(WindowHandle list) {
  HWND hwnd = ToHwnd(list);
  SendMessageA(hwnd, IsList(hwnd) ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
}

int Win32Windows::ItemCount(WindowHandle list) {
  HWND hwnd = ToHwnd(list);
  auto count = SendMessageA(hwnd, IsList(hwnd) ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
  return count < 0 ? 0 : static_cast<int>(count);
}

std::optional<std::string> Win32Windows::ItemText(WindowHandle list, int index) {
  HWND hwnd = ToHwnd(list);
  if (index < 0 || index >= ItemCount(list)) return std::nullopt;
  bool isList = IsList(hwnd);
  auto length =
      SendMessageA(hwnd, isList ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return std::nullopt;
  std::vector<char> text(static_cast<size_t>(length) + 2);
  auto copied = SendMessageA(hwnd, isList ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(text.data()));
  if (copied < 0) return std::nullopt;
  return std::string(text.data(), static_cast<size_t>(copied));
}

int Win32Windows::Selection(WindowHandle list) {
  HWND hwnd = ToHwnd(list);
  if (!IsList(hwnd)) return static_cast<int>(SendMessageA(hwnd, CB_GETCURSEL, 0, 0));
  // A multiple-selection list answers with its caret, even while it is empty.
  bool multiple = GetWindowLongA(hwnd, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL);
  return static_cast<int>(SendMessageA(hwnd, multiple ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
}

void Win32Windows::SetSelection(WindowHandle list, int index) {
  HWND hwnd = ToHwnd(list);
  if (index < -1 || index >= ItemCount(list)) return;
  if (IsList(hwnd)) {
    if (GetWindowLongA(hwnd, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) return;
    SendMessageA(hwnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  } else {
    SendMessageA(hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

bool Win32Windows::IsItemSelected(WindowHandle list, int index) {
  HWND hwnd = ToHwnd(list);
  if (index < 0 || index >= ItemCount(list)) return false;
  if (!IsList(hwnd)) return Selection(list) == index;
  return SendMessageA(hwnd, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

ScrollRange Win32Windows::ScrollBarRange(WindowHandle scrollBar) {
  int minimum = 0;
  int maximum = 0;
  GetScrollRange(ToHwnd(scrollBar), SB_CTL, &minimum, &maximum);
  return {minimum, maximum};
}

void Win32Windows::SetScrollBarRange(WindowHandle scrollBar, ScrollRange range) {
  SetScrollRange(ToHwnd(scrollBar), SB_CTL, range.minimum, range.maximum, FALSE);
}

int Win32Windows::ScrollPosition(WindowHandle scrollBar) {
  return GetScrollPos(ToHwnd(scrollBar), SB_CTL);
}

void Win32Windows::SetScrollPosition(WindowHandle scrollBar, int position) {
  SetScrollPos(ToHwnd(scrollBar), SB_CTL, position, TRUE);
}

void Win32Windows::StartTimer(int milliseconds) {
  timerPeriod_ = milliseconds;
  // In scripted mode the timer ticks when the event file says so, never by itself.
  if (!scripted_ && form_ && !formDestroyed_) {
    SetTimer(form_, 0, static_cast<UINT>(milliseconds), nullptr);
  }
}

void Win32Windows::StopTimer() {
  timerPeriod_.reset();
  if (form_ && !formDestroyed_) KillTimer(form_, 0);
}

void Win32Windows::PostSystemCommand(int command) {
  if (form_ && !formDestroyed_) {
    PostMessageA(form_, WM_SYSCOMMAND, static_cast<WPARAM>(command), 0);
  }
}

void Win32Windows::DispatchOne(MSG& message) {
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB) {
    // The program moves the focus itself; the key never reaches a control.
    if (sink_ && form_ && !formDestroyed_) {
      sink_->OnTabKey(ToHandle(message.hwnd), GetKeyState(VK_SHIFT) < 0);
    }
    return;
  }
  if (form_ && !formDestroyed_ && IsDialogMessageA(form_, &message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

void Win32Windows::PumpMessages() {
  MSG message;
  for (int dispatched = 0; dispatched < 250; ++dispatched) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return;
    if (message.message == WM_QUIT) {
      // The loop that waits for the end of the program must still see it.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    DispatchOne(message);
  }
}

void Win32Windows::PaintNow() {
  if (!form_ || formDestroyed_) return;
  RedrawWindow(form_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  GdiFlush();
}

int Win32Windows::RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    DispatchOne(message);
    // Each message the loop takes is one action of the user (or a tick) and
    // what it set off, done; those of a nested pump are part of a running one.
    if (sink_ && !formDestroyed_) sink_->OnUserActionDone();
  }
  return static_cast<int>(message.wParam);
}

void Win32Windows::InvalidateStatusStrip(int height) {
  if (!form_ || formDestroyed_) return;
  RECT client;
  GetClientRect(form_, &client);
  client.top = std::max<LONG>(client.bottom - height, 0);
  InvalidateRect(form_, &client, FALSE);
}

void Win32Windows::SetBusyCursor(bool busy) {
  SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

}  // namespace quorl::platform
