// What the window system reports to the host: the user's actions on the form
// and its controls, and the questions it asks while it paints. The host
// implements it; the window system calls it from its window procedures (the
// desktop host) or from the replayed user actions (the headless host).
#pragma once

#include <optional>
#include <string>

#include "platform/window_types.h"

namespace quorl::platform {

// How a control is painted: its text and background colours.
struct ControlPaint {
  Colour text = 0;
  Colour background = 0xFFFFFF;
  bool transparent = false;  // a Label whose background is not drawn
};

// The status strip at the bottom of the form, laid out in strip coordinates
// (0, 0 is the strip's top-left corner; the strip is as wide as the form's
// client area).
struct StatusStripPaint {
  int height = 0;
  std::string text;
  Rect textRect;          // where the text is drawn, one line
  Point panelCorner;      // the sunken panel runs from panelCorner ...
  Point panelEnd;         // ... to panelEnd (bottom-left to top-right)
  bool stopIcon = false;  // the stop sign, else the busy icon
  Point iconPosition;
  bool progress = false;  // a progress bar is shown
  int progressX = 0;      // left edge of the 80-pixel bar
  int progressY = 0;
  int progressFilled = 0;  // filled pixels, 0 to 80
};

class FormEvents {
 public:
  virtual ~FormEvents() = default;

  // A control notifies the form (a click, a change of text or selection, a
  // change of focus) with its notification code.
  virtual void OnCommand(WindowHandle control, int notification) = 0;
  // A character typed into a text box, combo box or list box. Returns the
  // character code the control receives instead (the same code to keep it).
  virtual int OnCharacter(WindowHandle control, int code) = 0;
  // A scroll request on a scroll bar; position is the thumb's position for
  // the thumb requests.
  virtual void OnScroll(WindowHandle scrollBar, int request, int position) = 0;
  // The form's timer elapsed.
  virtual void OnTimer() = 0;
  // A command of the form's system menu (command::k...), Close included.
  virtual void OnSystemCommand(int command) = 0;
  // Tab (or Shift+Tab when backwards) was pressed while focus had the focus.
  // The key is handled here and never reaches the control.
  virtual void OnTabKey(WindowHandle focus, bool backwards) = 0;
  // The left mouse button went down on the form's client area.
  virtual void OnFormMouseDown(Point client) = 0;
  // The form window was destroyed: the program's message loop ends.
  virtual void OnFormDestroyed() = 0;
  // One action of the user (a click, a key, a pick, a tick of the timer) has
  // been handled to its end, with everything it set off.
  virtual void OnUserActionDone() = 0;

  // Colours for painting a control; none for a window that is no control.
  virtual std::optional<ControlPaint> ControlColours(WindowHandle control) = 0;
  // The status strip to paint for a client area of the given width; none
  // while no strip is shown.
  virtual std::optional<StatusStripPaint> StatusStrip(int clientWidth) = 0;
  // True while every control shows the wait cursor.
  virtual bool IsBusy() = 0;
  // The form's outer size, which the user cannot change; none before the
  // form has one.
  virtual std::optional<Size> FixedFormSize() = 0;
};

}  // namespace quorl::platform
