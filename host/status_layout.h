// The sizes and places of the status strip's parts.
#pragma once

#include <string>

#include "platform/form_events.h"
#include "platform/form_windows.h"

namespace quorl {

// The strip's height: 23 pixels at dialog base units of 8 by 16, growing
// with larger system fonts and never smaller.
int StatusStripHeight(platform::BaseUnits units);

// Keeps a percentage within 0 to 100; -1 (no progress bar) stays.
int ClampStatusPercent(int percent);

// The strip for a client area of the given width.
platform::StatusStripPaint LayoutStatusStrip(int clientWidth, int height, std::string text,
                                             int percent, bool stopIcon);

// True when a point of the strip (strip coordinates) lies on its icon.
bool IsOnStatusIcon(const platform::StatusStripPaint& strip, platform::Point point);

}  // namespace quorl
