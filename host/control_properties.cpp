// Reading and setting control properties from the script.
#include <algorithm>
#include <cstdint>

#include "host/control_types.h"
#include "host/form_host.h"

namespace quorl {
namespace {

using platform::Rect;
using platform::WindowHandle;

bool IsGeometry(std::string_view property) {
  return property == "HEIGHT" || property == "WIDTH" || property == "LEFT" || property == "TOP";
}

bool HasNoForeColour(int32_t type) {
  return type == kControlTimer || type == kControlCommandButton || type == kControlScrollBar;
}

bool HasNoBackColour(int32_t type) {
  return type == kControlTimer || type == kControlScrollBar;
}

// A list index from a whole number: its low 16 bits, read with their sign so
// that -1 still means "no item".
int ListIndex(int32_t value) {
  return static_cast<int16_t>(value & 0xFFFF);
}

// The size of a whole number; the most negative one counts as the largest.
int32_t Magnitude(int32_t value) {
  if (value == INT32_MIN) return INT32_MAX;
  return value < 0 ? -value : value;
}

// Positions and sizes a script sets, in pixels.
constexpr int32_t kMinCoordinate = -32768;
constexpr int32_t kMaxCoordinate = 32767;

// A combo box's text is read through a buffer of 2000 bytes.
constexpr size_t kComboTextLimit = 1999;

}  // namespace

int32_t FormHost::PropertyValueKind(const Value& control, std::string_view property) {
  if (property == "TEXT" || property == "CAPTION") return kKindString;
  // A scroll bar's position is a whole number; a check box's value is TRUE or FALSE.
  if (property == "VALUE") return control.kind == kControlScrollBar ? kKindInteger : kKindBoolean;
  if (property == "ENABLED" || property == "VISIBLE") return kKindBoolean;
  return kKindInteger;
}

Rect FormHost::GeometryRect(const Value& control) {
  Rect rect = windows_.WindowRect(control.window);
  if (control.kind == kControlForm) return rect;
  platform::Point topLeft = windows_.ScreenToClient(form_, {rect.left, rect.top});
  platform::Point bottomRight = windows_.ScreenToClient(form_, {rect.right, rect.bottom});
  return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

Result FormHost::GetControlProperty(Value& control, std::string_view property) {
  int32_t type = control.kind;
  WindowHandle window = control.window;
  if (property == "TEXT" || property == "CAPTION" || (property == "." && HasTextDefault(type))) {
    std::string text = windows_.Text(window);
    if (type == kControlComboBox && text.size() > kComboTextLimit) text.resize(kComboTextLimit);
    return Value::String(std::move(text));
  }
  if ((property == "VALUE" || property == ".") && IsCheckType(type)) {
    return Value::Boolean(windows_.CheckState(window) != 0);
  }
  if ((property == "VALUE" || property == ".") && type == kControlScrollBar) {
    return Value::Integer(windows_.ScrollPosition(window));
  }
  if (IsListType(type)) {
    if (property == "LISTINDEX") return Value::Integer(windows_.Selection(window));
    if (property == "LISTCOUNT") return Value::Integer(windows_.ItemCount(window));
    if (property == "NEWINDEX") return Value::Integer(control.integer);
  }
  if (property == "ENABLED") {
    if (type == kControlTimer) return Value::Boolean(control.integer > 0);
    return Value::Boolean(windows_.IsEnabled(window));
  }
  if (property == "VISIBLE") return Value::Boolean(window != 0 && windows_.IsVisible(window));
  if (property == "FORECOLOR" || property == "BACKCOLOR") {
    bool fore = property == "FORECOLOR";
    const ControlEntry* entry = registry_.FindByWindow(window);
    if ((fore ? HasNoForeColour(type) : HasNoBackColour(type)) || !entry) {
      ctx_.RaiseScriptError("CONTROL PROPERTY NOT DEFINED!");
      return std::nullopt;
    }
    return Value::Integer(static_cast<int32_t>(fore ? entry->foreground : entry->background));
  }
  if (window == 0) return std::nullopt;  // a Timer has no geometry
  if (IsGeometry(property)) {
    Rect rect = GeometryRect(control);
    if (property == "HEIGHT") return Value::Integer(rect.Height());
    if (property == "WIDTH") return Value::Integer(rect.Width());
    if (property == "LEFT") return Value::Integer(rect.left);
    return Value::Integer(rect.top);
  }
  if (property == "SCALEHEIGHT") return Value::Integer(windows_.ClientRect(window).Height());
  if (property == "SCALEWIDTH") return Value::Integer(windows_.ClientRect(window).Width());
  return std::nullopt;
}

void FormHost::SetControlProperty(Value& control, std::string_view property, const Value& value) {
  int32_t type = control.kind;
  WindowHandle window = control.window;
  bool isValue = property == "VALUE" || (property == "." && HasValueDefault(type));
  if (property == "TEXT" || property == "CAPTION" || (property == "." && HasTextDefault(type))) {
    // The text it already holds changes nothing and sends no notification, so
    // a text box's Click that rewrites its own text comes to an end.
    Result text = ConvertValue(kKindString, value);
    if (text && window && windows_.Text(window) != *text->text) {
      windows_.SetText(window, *text->text);
    }
    return;
  }
  if (isValue && IsCheckType(type)) {
    bool checked = ValueToBoolean(value).integer != 0;
    windows_.SetCheckState(window, checked ? 1 : 0);
    if (type == kControlOptionButton) windows_.SetHighlight(window, checked);
    return;
  }
  if (isValue && type == kControlScrollBar) {
    windows_.SetScrollPosition(window, ValueToInteger(value).integer);  // no Change event
    return;
  }
  if (property == "FORECOLOR" || property == "BACKCOLOR") {
    bool fore = property == "FORECOLOR";
    ControlEntry* entry = registry_.FindByWindow(window);
    if ((fore ? HasNoForeColour(type) : HasNoBackColour(type)) || !entry) {
      ctx_.RaiseScriptError("CONTROL PROPERTY NOT DEFINED!");
      return;
    }
    auto colour = static_cast<platform::Colour>(ValueToInteger(value).integer);
    if (fore) {
      entry->foreground = colour;
    } else {
      entry->background = colour;
      windows_.SetClassBackground(window, colour);
    }
    windows_.Invalidate(window);
    return;
  }
  if (property == "LISTINDEX" && IsListType(type)) {
    windows_.SetSelection(window, ListIndex(ValueToInteger(value).integer));  // no Click event
    return;
  }
  if (type == kControlTimer) {
    SetTimerProperty(control, property, value);
    return;
  }
  if (window == 0) return;
  if (property == "ENABLED") {
    windows_.Enable(window, ValueToBoolean(value).integer != 0);
  } else if (property == "VISIBLE") {
    windows_.Show(window, ValueToBoolean(value).integer != 0);
  } else if (IsGeometry(property)) {
    // Within what a window system holds, before any arithmetic on it.
    SetGeometry(control, property,
                std::clamp(ValueToInteger(value).integer, kMinCoordinate, kMaxCoordinate));
  }
}

// A Timer keeps its interval in its record, negative while it is disabled.
// All Timers share the form's one timer.
void FormHost::SetTimerProperty(Value& timer, std::string_view property, const Value& value) {
  int32_t interval = Magnitude(timer.integer);
  if (property == "ENABLED") {
    if (ValueToBoolean(value).integer != 0) {
      timer.integer = interval;
      if (interval > 0) windows_.StartTimer(interval);
    } else {
      windows_.StopTimer();
      timer.integer = -interval;
    }
  } else if (property == "INTERVAL") {
    bool enabled = timer.integer >= 1;
    interval = Magnitude(ValueToInteger(value).integer);
    timer.integer = enabled ? interval : -interval;
    // A disabled Timer only keeps its new interval; an interval of 0 stops it.
    if (!enabled) return;
    if (interval > 0) {
      windows_.StartTimer(interval);
    } else {
      windows_.StopTimer();
    }
  }
}

// The edge named by the property moves; the opposite edge stays where it is.
void FormHost::SetGeometry(const Value& control, std::string_view property, int32_t value) {
  Rect rect = GeometryRect(control);
  if (property == "HEIGHT") rect.bottom = rect.top + value;
  if (property == "WIDTH") rect.right = rect.left + value;
  if (property == "LEFT") rect.left = value;
  if (property == "TOP") rect.top = value;
  if (control.kind == kControlForm) {
    // The kept size bounds every resize, so it changes first.
    SetFormSize(std::max(rect.Width(), 0), std::max(rect.Height(), 0));
    windows_.Move(control.window, rect);
    Rect moved = windows_.WindowRect(control.window);
    SetFormSize(moved.Width(), moved.Height());
    return;
  }
  // From the form's client area to the client area of the control's parent
  // (a Frame places its controls in its own).
  WindowHandle parent = windows_.Parent(control.window);
  platform::Point topLeft =
      windows_.ScreenToClient(parent, windows_.ClientToScreen(form_, {rect.left, rect.top}));
  windows_.Move(control.window,
                {topLeft.x, topLeft.y, topLeft.x + rect.Width(), topLeft.y + rect.Height()});
}

}  // namespace quorl
