// The seam between the host and the window system for the form: creating the
// form window and its controls, reading and changing their state, the form's
// timer and its message queue. The desktop host implements each operation
// with the matching window-system call (CreateDialogParam, CreateWindowEx,
// SetWindowText, the BM_, EM_, LB_ and CB_ messages, SetScrollPos, SetTimer
// and so on); the headless host keeps the same state in memory.
//
// Everything the dialect decides (property rules, event names, the KeyPress
// replacement, scroll arithmetic, colours, the Tab order search, status line
// sizes) stays in the host above this interface; below it is only what a
// standard control does by itself.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/form_events.h"
#include "platform/window_types.h"

namespace quorl::platform {

// The dialog base units of the system font, in pixels.
struct BaseUnits {
  int horizontal = 8;
  int vertical = 16;
};

// The form's hidden template items whose styles new combo and edit boxes take.
enum class TemplateItem { kComboBox, kEditBox };

struct ScrollRange {
  int minimum = 0;
  int maximum = 0;
};

class FormWindows {
 public:
  virtual ~FormWindows() = default;

  // Where the user's actions and paint questions go; set before the form is made.
  virtual void SetEventSink(FormEvents* sink) = 0;

  virtual BaseUnits DialogBaseUnits() = 0;
  // A system colour by its index (COLOR_BTNFACE and the like).
  virtual Colour SystemColour(int index) = 0;

  // The form: an invisible popup dialog with caption, system menu, sizing
  // border and minimize box. At most one exists. 0 when it cannot be made.
  virtual WindowHandle CreateForm() = 0;
  virtual uint32_t TemplateStyle(TemplateItem item) = 0;
  // A control window of a standard class with the given style, placed in its
  // parent's client area; 0 when it cannot be made (a child without a parent).
  virtual WindowHandle CreateControl(WindowClass windowClass, uint32_t style, WindowHandle parent,
                                     const Rect& rect) = 0;
  // Destroys the form and all its controls; the sink hears OnFormDestroyed.
  virtual void DestroyForm() = 0;

  // Every window. Rectangles of WindowRect are in screen coordinates; Move
  // takes the parent's client coordinates (screen coordinates for the form).
  virtual std::string Text(WindowHandle window) = 0;
  virtual void SetText(WindowHandle window, std::string_view text) = 0;
  virtual uint32_t Style(WindowHandle window) = 0;
  virtual void SetStyle(WindowHandle window, uint32_t style) = 0;
  virtual WindowHandle Parent(WindowHandle window) = 0;
  virtual Rect WindowRect(WindowHandle window) = 0;
  virtual Rect ClientRect(WindowHandle window) = 0;
  virtual Point ScreenToClient(WindowHandle window, Point point) = 0;
  virtual Point ClientToScreen(WindowHandle window, Point point) = 0;
  virtual void Move(WindowHandle window, const Rect& rect) = 0;
  virtual void BringToTop(WindowHandle window) = 0;
  // A window is enabled and visible only when its parents are too.
  virtual bool IsEnabled(WindowHandle window) = 0;
  virtual void Enable(WindowHandle window, bool enabled) = 0;
  virtual bool IsVisible(WindowHandle window) = 0;
  virtual void Show(WindowHandle window, bool visible) = 0;
  // The keyboard focus; 0 when no window of the form has it.
  virtual WindowHandle Focus() = 0;
  virtual void SetFocus(WindowHandle window) = 0;
  // The background of every window of this window's class.
  virtual void SetClassBackground(WindowHandle window, Colour colour) = 0;
  // The bold control font, or a bold font of the given point size when it is not 0.
  virtual void SetFont(WindowHandle window, double pointSize) = 0;
  // Repaints the window, background included.
  virtual void Invalidate(WindowHandle window) = 0;

  // Image controls: the picture painted at their top-left corner.
  virtual void SetPicture(WindowHandle image, const IconBits& icon) = 0;

  // Buttons: 0 unchecked, 1 checked, 2 indeterminate.
  virtual int CheckState(WindowHandle button) = 0;
  virtual void SetCheckState(WindowHandle button, int state) = 0;
  virtual void SetHighlight(WindowHandle button, bool highlighted) = 0;

  // Edit boxes: 0 lifts the limit; character 0 shows the text plainly.
  virtual void LimitText(WindowHandle edit, int characters) = 0;
  virtual void SetPasswordChar(WindowHandle edit, char character) = 0;

  // List boxes and combo boxes. Indices count from 0; -1 is "no item".
  // AddItem returns the new item's index (its sorted place in a sorted list).
  virtual int AddItem(WindowHandle list, std::string_view text) = 0;
  virtual void DeleteItem(WindowHandle list, int index) = 0;
  virtual void ClearItems(WindowHandle list) = 0;
  virtual int ItemCount(WindowHandle list) = 0;
  virtual std::optional<std::string> ItemText(WindowHandle list, int index) = 0;
  // The selected item (in a multiple-selection list, the item with the caret).
  virtual int Selection(WindowHandle list) = 0;
  // Selects an item without notifying; -1 clears the selection. Ignored by a
  // multiple-selection list and for an index outside the list.
  virtual void SetSelection(WindowHandle list, int index) = 0;
  virtual bool IsItemSelected(WindowHandle list, int index) = 0;

  // Scroll bars. The position is kept within the range.
  virtual ScrollRange ScrollBarRange(WindowHandle scrollBar) = 0;
  virtual void SetScrollBarRange(WindowHandle scrollBar, ScrollRange range) = 0;
  virtual int ScrollPosition(WindowHandle scrollBar) = 0;
  virtual void SetScrollPosition(WindowHandle scrollBar, int position) = 0;

  // The form's one timer: starting it again changes its period.
  virtual void StartTimer(int milliseconds) = 0;
  virtual void StopTimer() = 0;

  // Posts a system command to the form; it is carried out when messages are
  // next dispatched.
  virtual void PostSystemCommand(int command) = 0;
  // Dispatches the messages that wait.
  virtual void PumpMessages() = 0;

  // The status strip: repaint the bottom strip of the given height, and show
  // the wait cursor (or the arrow) at once.
  virtual void InvalidateStatusStrip(int height) = 0;
  virtual void SetBusyCursor(bool busy) = 0;
};

}  // namespace quorl::platform
