// Window handles of the seam and of the window system, converted both ways.
// The system keeps its window handles within 32 bits, so that they pass
// between 32-bit and 64-bit programs; the seam's handles hold them whole.
#pragma once

#include "platform/win32/windows_api.h"

#include <cstdint>

#include "platform/window_types.h"

namespace quorl::platform {

inline HWND ToHwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(window)));
}

inline WindowHandle ToHandle(HWND window) {
  return static_cast<WindowHandle>(reinterpret_cast<uintptr_t>(window));
}

}  // namespace quorl::platform
