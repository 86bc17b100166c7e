// Drawing with GDI: bitmaps copied whole, in part or through a mask, and the
// status strip at the bottom of the form.
#pragma once

#include "platform/win32/windows_api.h"

#include "platform/form_events.h"

namespace quorl::platform {

// Each copies from a memory context made compatible with the target.
void DrawBitmap(HDC target, HBITMAP bitmap, int x, int y);
void DrawBitmapPart(HDC target, HBITMAP bitmap, int sourceX, int sourceY, int width, int height,
                    int x, int y);
// The mask (black where the picture shows) with SRCAND, then the picture
// (black where it is transparent) with SRCPAINT.
void DrawMaskedBitmap(HDC target, HBITMAP picture, HBITMAP mask, int x, int y);
SIZE BitmapSize(HBITMAP bitmap);

// Paints the strip into a bitmap as wide as the client area and copies it
// to the bottom of the client area.
void PaintStatusStrip(HDC target, const RECT& client, const StatusStripPaint& strip, HFONT font,
                      HINSTANCE instance);

}  // namespace quorl::platform
