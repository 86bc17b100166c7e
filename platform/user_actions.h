// A user working the form, for scripted runs: each action does what the
// user's mouse or key would do to a standard control, and the control then
// reports to the host as it would for a real user.
#pragma once

#include "platform/window_types.h"

namespace quorl::platform {

class UserActions {
 public:
  virtual ~UserActions() = default;
  // Each returns false when the window cannot take the action (it is
  // disabled or hidden, or it is no such control): nothing happens then.
  // Whatever may run the script on the way (a change of focus, a
  // notification) may also change or destroy the target: each action looks
  // at its control and item again after it and stops where they are gone.

  // A mouse click on the control: a button is pressed, a check box toggles,
  // an option button is checked; the control takes the focus.
  virtual bool Click(WindowHandle control) = 0;
  // One character typed into the control, which takes the focus first. Tab
  // is the message loop's: it moves the focus instead.
  virtual bool Type(WindowHandle control, int code) = 0;
  // The user picks an item of a list box or combo box.
  virtual bool SelectItem(WindowHandle list, int index) = 0;
  // A scroll request; a thumb drag sends the tracking request first.
  virtual bool Scroll(WindowHandle scrollBar, int request, int position) = 0;
  // One period of the form's timer; false while the timer is stopped.
  virtual bool TimerTick() = 0;
  // Tab or Shift+Tab.
  virtual void PressTab(bool backwards) = 0;
  // An item of the form's system menu, Close included.
  virtual void ChooseSystemCommand(int command) = 0;
  // True once the form window has been destroyed.
  virtual bool FormClosed() = 0;
};

}  // namespace quorl::platform
