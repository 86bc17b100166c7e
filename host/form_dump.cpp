// A readable description of the form's controls, for scripted runs.
#include <sstream>

#include "host/control_types.h"
#include "host/form_host.h"

namespace quorl {
namespace {

// A text in double quotes, with quotes, backslashes and line breaks escaped.
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    switch (c) {
      case '"':
        quoted += "\\\"";
        break;
      case '\\':
        quoted += "\\\\";
        break;
      case '\r':
        quoted += "\\r";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\t':
        quoted += "\\t";
        break;
      default:
        quoted += c;
    }
  }
  return quoted + "\"";
}

}  // namespace

std::string FormHost::DescribeControls() {
  std::ostringstream out;
  for (const ControlEntry* entry : registry_.InFileOrder()) {
    NameNode* node = ctx_.formTable.Find(entry->name);
    if (!node || !node->value || node->value->kind != entry->type ||
        node->value->window != entry->window) {
      continue;  // the name now stands for something else
    }
    Value& control = *node->value;
    platform::WindowHandle window = entry->window;
    out << entry->name << ' ' << entry->typeWord;
    if (entry->type == kControlTimer) {
      out << " interval=" << (control.integer < 0 ? -int64_t{control.integer} : control.integer)
          << (control.integer > 0 ? " enabled" : " disabled") << '\n';
      continue;
    }
    if (entry->type != kControlScrollBar) out << " text=" << Quoted(windows_.Text(window));
    if (IsCheckType(entry->type)) out << " value=" << windows_.CheckState(window);
    if (entry->type == kControlScrollBar) {
      platform::ScrollRange range = windows_.ScrollBarRange(window);
      out << " value=" << windows_.ScrollPosition(window) << " min=" << range.minimum
          << " max=" << range.maximum;
    }
    if (IsListType(entry->type)) {
      int count = windows_.ItemCount(window);
      out << " items=[";
      for (int i = 0; i < count; ++i) {
        out << (i ? ", " : "") << Quoted(windows_.ItemText(window, i).value_or(""));
      }
      out << "] index=" << windows_.Selection(window);
      if (entry->type == kControlListBox &&
          (windows_.Style(window) &
           (platform::style::kListMultipleSel | platform::style::kListExtendedSel))) {
        out << " selected=[";
        bool first = true;
        for (int i = 0; i < count; ++i) {
          if (!windows_.IsItemSelected(window, i)) continue;
          out << (first ? "" : ", ") << i;
          first = false;
        }
        out << "]";
      }
    }
    if (entry->type == kControlImage) out << (entry->picture ? " picture" : " no-picture");
    out << (windows_.IsEnabled(window) ? " enabled" : " disabled")
        << (windows_.IsVisible(window) ? " visible" : " hidden");
    platform::Rect rect = GeometryRect(control);
    out << " left=" << rect.left << " top=" << rect.top << " width=" << rect.Width()
        << " height=" << rect.Height();
    if (windows_.Focus() == window) out << " focus";
    out << '\n';
  }
  if (status_.active) {
    out << "status text=" << Quoted(status_.text);
    if (status_.percent != -1) out << " percent=" << status_.percent;
    out << '\n';
  }
  return out.str();
}

}  // namespace quorl
