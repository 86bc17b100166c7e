// The form and its controls as real windows: the form is a modeless dialog
// made from the program's form template, each control a child window of a
// standard class, subclassed so that what the user does reaches the host
// (through FormEvents) before the control's own procedure sees it.
//
// In scripted mode the same windows are worked by the user actions of an
// event file: each action is the message a user's mouse or key produces
// (BM_CLICK, WM_CHAR, a selection and its notification, a scroll request,
// WM_TIMER, WM_SYSCOMMAND, Tab through the message loop), and the form's
// timer ticks only when the file says so.
#pragma once

#include "platform/win32/windows_api.h"

#include <map>
#include <optional>

#include "platform/form_windows.h"
#include "platform/user_actions.h"
#include "platform/win32/win32_fonts.h"

namespace quorl::platform {

// The program's own plain window class, used for Image controls.
inline constexpr const char* kImageWindowClass = "QuorlWindowClass";
// Registers it (a red-brown background, the arrow cursor).
void RegisterImageWindowClass(HINSTANCE instance);

class Win32Windows final : public FormWindows, public UserActions {
 public:
  Win32Windows(HINSTANCE instance, const Win32Fonts& fonts, bool scripted);
  ~Win32Windows() override;
  Win32Windows(const Win32Windows&) = delete;
  Win32Windows& operator=(const Win32Windows&) = delete;

  HWND FormHwnd() const { return formDestroyed_ ? nullptr : form_; }
  // The form's messages until it is destroyed; the WM_QUIT code.
  int RunMessageLoop();
  // Paints the form and every control at once.
  void PaintNow();

  // FormWindows.
  void SetEventSink(FormEvents* sink) override { sink_ = sink; }
  BaseUnits DialogBaseUnits() override;
  Colour SystemColour(int index) override;
  WindowHandle CreateForm() override;
  uint32_t TemplateStyle(TemplateItem item) override;
  WindowHandle CreateControl(WindowClass windowClass, uint32_t style, WindowHandle parent,
                             const Rect& rect) override;
  void DestroyForm() override;
  std::string Text(WindowHandle window) override;
  void SetText(WindowHandle window, std::string_view text) override;
  uint32_t Style(WindowHandle window) override;
  void SetStyle(WindowHandle window, uint32_t style) override;
  WindowHandle Parent(WindowHandle window) override;
  Rect WindowRect(WindowHandle window) override;
  Rect ClientRect(WindowHandle window) override;
  Point ScreenToClient(WindowHandle window, Point point) override;
  Point ClientToScreen(WindowHandle window, Point point) override;
  void Move(WindowHandle window, const Rect& rect) override;
  void BringToTop(WindowHandle window) override;
  bool IsEnabled(WindowHandle window) override;
  void Enable(WindowHandle window, bool enabled) override;
  bool IsVisible(WindowHandle window) override;
  void Show(WindowHandle window, bool visible) override;
  WindowHandle Focus() override;
  void SetFocus(WindowHandle window) override;
  void SetClassBackground(WindowHandle window, Colour colour) override;
  void SetFont(WindowHandle window, double pointSize) override;
  void Invalidate(WindowHandle window) override;
  void SetPicture(WindowHandle image, const IconBits& icon) override;
  int CheckState(WindowHandle button) override;
  void SetCheckState(WindowHandle button, int state) override;
  void SetHighlight(WindowHandle button, bool highlighted) override;
  void LimitText(WindowHandle edit, int characters) override;
  void SetPasswordChar(WindowHandle edit, char character) override;
  int AddItem(WindowHandle list, std::string_view text) override;
  void DeleteItem(WindowHandle list, int index) override;
  void ClearItems(WindowHandle list) override;
  int ItemCount(WindowHandle list) override;
  std::optional<std::string> ItemText(WindowHandle list, int index) override;
  int Selection(WindowHandle list) override;
  void SetSelection(WindowHandle list, int index) override;
  bool IsItemSelected(WindowHandle list, int index) override;
  ScrollRange ScrollBarRange(WindowHandle scrollBar) override;
  void SetScrollBarRange(WindowHandle scrollBar, ScrollRange range) override;
  int ScrollPosition(WindowHandle scrollBar) override;
  void SetScrollPosition(WindowHandle scrollBar, int position) override;
  void StartTimer(int milliseconds) override;
  void StopTimer() override;
  void PostSystemCommand(int command) override;
  void PumpMessages() override;
  void InvalidateStatusStrip(int height) override;
  void SetBusyCursor(bool busy) override;

  // UserActions.
  bool Click(WindowHandle control) override;
  bool Type(WindowHandle control, int code) override;
  bool SelectItem(WindowHandle list, int index) override;
  bool Scroll(WindowHandle scrollBar, int request, int position) override;
  bool TimerTick() override;
  void PressTab(bool backwards) override;
  void ChooseSystemCommand(int command) override;
  bool FormClosed() override { return formDestroyed_; }

 private:
  // What the program keeps for each control window it made.
  struct ControlWindow {
    WindowClass windowClass = WindowClass::kStatic;
    WNDPROC previous = nullptr;
    HFONT ownFont = nullptr;  // a FontSize font, deleted with the window
    HICON picture = nullptr;  // an Image's icon
  };

  static INT_PTR CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnFormMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnControlMessage(HWND window, ControlWindow& control, UINT message, WPARAM wParam,
                           LPARAM lParam);
  // Answers a WM_CTLCOLOR message for a control: its colours and brush.
  HBRUSH ControlColours(HWND control, HDC context);
  HBRUSH SolidBrush(Colour colour);
  BOOL PaintForm(HWND window);
  void PaintImage(HWND window, const ControlWindow& control);
  void OnScrollMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void ForgetControl(HWND window);

  // One message of the loop: Tab moves the focus, the form's dialog keys go
  // to the dialog manager, everything else is translated and dispatched.
  void DispatchOne(MSG& message);
  ControlWindow* FindControl(WindowHandle window);
  bool TakesInput(HWND window);
  void ClickButton(HWND button);
  // An edit box's change reports are dropped while it is quiet: while the
  // script sets its text (SetText reports that itself) and while a full box
  // refuses a character.
  bool IsQuietChange(HWND control, int notification);
  bool RefusesCharacter(HWND edit, WPARAM code);
  bool IsList(HWND window);
  void SendNotification(HWND control, int notification);
  void MoveCaretToEnd(HWND control, const ControlWindow& record);

  HINSTANCE instance_;
  const Win32Fonts& fonts_;
  bool scripted_;
  FormEvents* sink_ = nullptr;
  HWND form_ = nullptr;
  bool formDestroyed_ = false;
  bool closing_ = false;  // controls report nothing while the form is destroyed
  std::optional<int> timerPeriod_;
  std::map<HWND, ControlWindow> controls_;
  std::map<Colour, HBRUSH> brushes_;
  std::map<ATOM, Colour> classBackgrounds_;  // the colour each class was last given
  std::map<HWND, int> quietEdits_;           // edit boxes whose reports are dropped
  int nextControlId_ = 2000;
};

}  // namespace quorl::platform
