// The picture shown while a program loads: a borderless box in the middle of
// the screen, gone once the start-up procedures have run (a click hides it
// earlier).
#pragma once

#include "platform/win32/windows_api.h"

namespace quorl::platform {

class LoadingWindow {
 public:
  explicit LoadingWindow(HINSTANCE instance);
  ~LoadingWindow() { Close(); }
  LoadingWindow(const LoadingWindow&) = delete;
  LoadingWindow& operator=(const LoadingWindow&) = delete;

  HWND Handle() const { return window_; }
  void Close();

 private:
  HWND window_ = nullptr;
};

}  // namespace quorl::platform
