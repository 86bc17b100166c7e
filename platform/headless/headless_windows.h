// The form and its controls kept in memory, for the native build without a
// screen. Each control keeps the state a standard control of its class keeps
// (text, check state, items and selection, scroll range and position) and
// reports to the host with the notifications the standard control sends:
// an edit box notifies on every change of its text and focus, a list box
// on selection and focus, a combo box on selection and typing, a button when
// it is clicked. The screen is 1024 x 768 pixels with dialog base units of
// 8 by 16, so geometry is the same on every machine. Windows have no frame:
// a window's client area is the whole window.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/form_windows.h"
#include "platform/user_actions.h"

namespace quorl::platform {

class HeadlessWindows final : public FormWindows, public UserActions {
 public:
  static constexpr int kScreenWidth = 1024;
  static constexpr int kScreenHeight = 768;

  // FormWindows.
  void SetEventSink(FormEvents* sink) override { sink_ = sink; }
  BaseUnits DialogBaseUnits() override { return {8, 16}; }
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
  WindowHandle Focus() override { return focus_; }
  void SetFocus(WindowHandle window) override;
  void SetClassBackground(WindowHandle window, Colour colour) override;
  void SetFont(WindowHandle window, double pointSize) override;
  // Nothing is drawn in memory.
  void Invalidate(WindowHandle) override {}
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
  void StartTimer(int milliseconds) override { timerPeriod_ = milliseconds; }
  void StopTimer() override { timerPeriod_.reset(); }
  void PostSystemCommand(int command) override { posted_.push_back(command); }
  void PumpMessages() override;
  // The strip is not drawn in memory; the host keeps what it shows.
  void InvalidateStatusStrip(int) override {}
  void SetBusyCursor(bool busy) override { busyCursor_ = busy; }

  // UserActions.
  bool Click(WindowHandle control) override;
  bool Type(WindowHandle control, int code) override;
  bool SelectItem(WindowHandle list, int index) override;
  bool Scroll(WindowHandle scrollBar, int request, int position) override;
  bool TimerTick() override;
  void PressTab(bool backwards) override;
  void ChooseSystemCommand(int command) override;
  bool FormClosed() override { return formDestroyed_; }

  // What a dump shows beyond the controls' own state.
  std::optional<int> TimerPeriod() const { return timerPeriod_; }
  bool BusyCursor() const { return busyCursor_; }
  double FontSize(WindowHandle window);
  char PasswordChar(WindowHandle window);
  std::optional<IconBits> Picture(WindowHandle window);

 private:
  struct Window {
    bool isForm = false;
    WindowClass windowClass = WindowClass::kStatic;
    uint32_t style = 0;
    WindowHandle parent = 0;
    std::vector<WindowHandle> children;  // in creation order
    Rect rect;                           // in the parent's client area; on the screen for the form
    std::string text;
    int check = 0;
    bool highlighted = false;
    int textLimit = 0;
    char passwordChar = 0;
    double fontSize = 0.0;
    std::optional<IconBits> picture;
    std::vector<std::string> items;
    std::vector<bool> selected;  // multiple-selection lists
    int selection = -1;
    int caret = 0;
    ScrollRange range;
    int position = 0;
  };

  Window* Find(WindowHandle window);
  // The list when it still has that item.
  Window* ListWithItem(WindowHandle list, int index);
  bool IsMultipleSelection(const Window& window) const;
  bool HasEditPart(const Window& window) const;
  // Can the user reach the window with the mouse or the keyboard?
  bool TakesInput(WindowHandle window);
  void Notify(WindowHandle control, int notification);
  void NotifyFocus(WindowHandle control, bool gained);
  void CheckAutoRadioButton(WindowHandle button);
  void TypeIntoEdit(WindowHandle control, int code);
  void TypeAhead(WindowHandle control, int code);
  void DestroyTree(WindowHandle window);

  FormEvents* sink_ = nullptr;
  std::map<WindowHandle, Window> windows_;
  WindowHandle nextHandle_ = 1;
  WindowHandle form_ = 0;
  bool formDestroyed_ = false;
  WindowHandle focus_ = 0;
  std::optional<int> timerPeriod_;
  std::deque<int> posted_;
  bool busyCursor_ = false;
  std::map<int, Colour> classBackgrounds_;
};

}  // namespace quorl::platform
