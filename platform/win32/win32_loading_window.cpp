#include "platform/win32/win32_loading_window.h"

#include "platform/win32/resource_ids.h"
#include "platform/win32/win32_painting.h"

namespace quorl::platform {
namespace {

HBITMAP LoadPicture(HWND window, int id) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
  return LoadBitmapA(instance, MAKEINTRESOURCEA(id));
}

INT_PTR CALLBACK LoadingProcedure(HWND window, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
      SetClassLongPtrA(
          window, GCLP_HICON,
          reinterpret_cast<LONG_PTR>(LoadIconA(instance, MAKEINTRESOURCEA(IDI_QUORL))));
      HBITMAP splash = LoadPicture(window, IDB_SPLASH);
      SIZE size = BitmapSize(splash);
      DeleteObject(splash);
      MoveWindow(window, (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2, size.cx + 2, size.cy + 2, TRUE);
      return TRUE;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC context = BeginPaint(window, &paint);
      HBITMAP splash = LoadPicture(window, IDB_SPLASH);
      HBITMAP mark = LoadPicture(window, IDB_SPLASH_MARK);
      DrawBitmap(context, splash, 0, 0);
      DrawBitmap(context, mark, 184 - BitmapSize(mark).cx, 59);
      DeleteObject(splash);
      DeleteObject(mark);
      EndPaint(window, &paint);
      return TRUE;
    }
    case WM_LBUTTONDOWN:
      ShowWindow(window, SW_HIDE);  // loading goes on
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

LoadingWindow::LoadingWindow(HINSTANCE instance)
    : window_(CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_LOADING), nullptr, LoadingProcedure,
                                 0)) {}

void LoadingWindow::Close() {
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
}

}  // namespace quorl::platform
