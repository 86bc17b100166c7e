// The status strip: the form grows by the strip's height while it is shown,
// and every control shows the wait cursor.
#include "host/form_host.h"
#include "host/status_layout.h"
#include "net/socket_layer.h"

namespace quorl {
namespace {

constexpr size_t kStatusTextLength = 256;

}  // namespace

int FormHost::StatusHeight() {
  return StatusStripHeight(windows_.DialogBaseUnits());
}

void FormHost::ShowStatus(std::string_view text, int percent) {
  int height = StatusHeight();
  status_.text = std::string(text.substr(0, kStatusTextLength));
  status_.percent = ClampStatusPercent(percent);
  if (!status_.active) {
    status_.active = true;
    if (HasForm()) {
      platform::Rect rect = windows_.WindowRect(form_);
      rect.bottom += height;
      SetFormSize(rect.Width(), rect.Height());
      windows_.Move(form_, rect);
    }
  }
  windows_.InvalidateStatusStrip(height);
  windows_.SetBusyCursor(true);
  windows_.PumpMessages();  // the strip is painted at once
}

void FormHost::HideStatus() {
  int height = StatusHeight();
  status_.text.clear();
  if (status_.active) {
    status_.active = false;
    if (HasForm()) {
      platform::Rect rect = windows_.WindowRect(form_);
      rect.bottom -= height;
      SetFormSize(rect.Width(), rect.Height());
      windows_.Move(form_, rect);
    }
  }
  windows_.SetBusyCursor(false);
  windows_.PumpMessages();
}

std::optional<platform::StatusStripPaint> FormHost::StatusStrip(int clientWidth) {
  if (!status_.active) return std::nullopt;
  return LayoutStatusStrip(clientWidth, StatusHeight(), status_.text, status_.percent,
                           ctx_.network.libraryStarted);
}

// A click on the stop sign stops the running network transfer.
void FormHost::OnFormMouseDown(platform::Point client) {
  if (!status_.active || !ctx_.network.libraryStarted || !HasForm()) return;
  platform::Rect area = windows_.ClientRect(form_);
  std::optional<platform::StatusStripPaint> strip = StatusStrip(area.Width());
  platform::Point inStrip{client.x, client.y - (area.bottom - strip->height)};
  if (IsOnStatusIcon(*strip, inStrip)) AbortNetwork(ctx_);
}

}  // namespace quorl
