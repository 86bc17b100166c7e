#include "platform/win32/win32_painting.h"

#include "platform/win32/resource_ids.h"

namespace quorl::platform {
namespace {

constexpr COLORREF kPanelShadow = RGB(128, 128, 128);
constexpr COLORREF kPanelFace = RGB(192, 192, 192);

void Line(HDC context, Point from, Point to) {
  MoveToEx(context, from.x, from.y, nullptr);
  LineTo(context, to.x, to.y);
}

void DrawProgress(HDC context, const StatusStripPaint& strip, HINSTANCE instance) {
  HBITMAP bar = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_PROGRESS));
  if (!bar) return;
  int filled = strip.progressFilled;
  int x = strip.progressX;
  int y = strip.progressY;
  DrawBitmapPart(context, bar, 0, 0, filled, 14, x, y);            // the filled part
  DrawBitmapPart(context, bar, filled, 28, 1, 14, x + filled, y);  // the marker
  DrawBitmapPart(context, bar, filled + 1, 14, 79 - filled, 14, x + filled + 1, y);
  DeleteObject(bar);
}

}  // namespace

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  return {info.bmWidth, info.bmHeight};
}

void DrawBitmapPart(HDC target, HBITMAP bitmap, int sourceX, int sourceY, int width, int height,
                    int x, int y) {
  if (width <= 0 || height <= 0) return;
  HDC memory = CreateCompatibleDC(target);
  SetMapMode(memory, GetMapMode(target));
  HGDIOBJ old = SelectObject(memory, bitmap);
  POINT size{width, height};
  DPtoLP(target, &size, 1);
  BitBlt(target, x, y, size.x, size.y, memory, sourceX, sourceY, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

void DrawBitmap(HDC target, HBITMAP bitmap, int x, int y) {
  SIZE size = BitmapSize(bitmap);
  DrawBitmapPart(target, bitmap, 0, 0, size.cx, size.cy, x, y);
}

void DrawMaskedBitmap(HDC target, HBITMAP picture, HBITMAP mask, int x, int y) {
  SIZE size = BitmapSize(picture);
  HDC memory = CreateCompatibleDC(target);
  SetMapMode(memory, GetMapMode(target));
  HGDIOBJ old = SelectObject(memory, mask);
  BitBlt(target, x, y, size.cx, size.cy, memory, 0, 0, SRCAND);
  SelectObject(memory, picture);
  BitBlt(target, x, y, size.cx, size.cy, memory, 0, 0, SRCPAINT);
  SelectObject(memory, old);
  DeleteDC(memory);
}

void PaintStatusStrip(HDC target, const RECT& client, const StatusStripPaint& strip, HFONT font,
                      HINSTANCE instance) {
  int width = client.right - client.left;
  int height = strip.height;
  if (width <= 0 || height <= 0) return;
  HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  HDC memory = CreateCompatibleDC(display);
  HBITMAP bitmap = CreateCompatibleBitmap(display, width, height);
  DeleteDC(display);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);

  HGDIOBJ oldBrush = SelectObject(memory, GetStockObject(LTGRAY_BRUSH));
  HGDIOBJ oldPen = SelectObject(memory, GetStockObject(NULL_PEN));
  Rectangle(memory, -1, -1, width + 1, height + 1);
  // The sunken panel: light on the bottom and right, shadow on the top and left.
  SelectObject(memory, GetStockObject(WHITE_PEN));
  Line(memory, {-1, 1}, {width + 1, 1});
  Point corner = strip.panelCorner;
  Point end = strip.panelEnd;
  Line(memory, corner, {end.x, corner.y});
  LineTo(memory, end.x, end.y);
  HPEN shadow = CreatePen(PS_SOLID, 0, kPanelShadow);
  SelectObject(memory, shadow);
  Line(memory, corner, {corner.x, end.y});
  LineTo(memory, end.x, end.y);
  Line(memory, {-1, 0}, {width + 1, 0});
  SelectObject(memory, GetStockObject(WHITE_PEN));
  DeleteObject(shadow);

  HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(strip.stopIcon ? IDI_STOP : IDI_BUSY));
  if (icon) DrawIcon(memory, strip.iconPosition.x, strip.iconPosition.y, icon);
  if (strip.progress) DrawProgress(memory, strip, instance);

  SetTextColor(memory, RGB(0, 0, 0));
  SetBkColor(memory, kPanelFace);
  SetBkMode(memory, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(memory, font);
  RECT textRect{strip.textRect.left, strip.textRect.top, strip.textRect.right,
                strip.textRect.bottom};
  DrawTextA(memory, strip.text.c_str(), static_cast<int>(strip.text.size()), &textRect,
            DT_SINGLELINE | DT_NOPREFIX);

  BitBlt(target, 0, client.bottom - height, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, oldFont);
  SelectObject(memory, oldPen);
  SelectObject(memory, oldBrush);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

}  // namespace quorl::platform
