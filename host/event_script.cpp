#include "host/event_script.h"

#include <cctype>
#include <charconv>
#include <string>

#include "host/control_types.h"
#include "values/name_tree.h"

namespace quorl {
namespace {

using platform::WindowHandle;

struct ScrollWord {
  std::string_view word;
  int request;
};

constexpr ScrollWord kScrollWords[] = {
    {"lineup", platform::scroll::kLineUp},
    {"linedown", platform::scroll::kLineDown},
    {"pageup", platform::scroll::kPageUp},
    {"pagedown", platform::scroll::kPageDown},
    {"top", platform::scroll::kTop},
    {"bottom", platform::scroll::kBottom},
    {"thumb", platform::scroll::kThumbPosition},
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Takes the next word off the front of the text.
std::string_view NextWord(std::string_view& text) {
  size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  size_t end = begin;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  std::string_view word = text.substr(begin, end - begin);
  text.remove_prefix(end);
  return word;
}

bool Same(std::string_view a, std::string_view b) {
  return CompareNames(a, b) == 0;
}

std::optional<int> Number(std::string_view text) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

void EventScript::Run(std::istream& events) {
  std::string line;
  int lineNumber = 0;
  while (!user_.FormClosed() && std::getline(events, line)) {
    if (!RunLine(line, ++lineNumber)) break;
  }
}

void EventScript::Complain(int lineNumber, std::string_view message) {
  errors_ << "events:" << lineNumber << ": " << message << '\n';
}

std::optional<WindowHandle> EventScript::Control(std::string_view name, int lineNumber,
                                                 std::initializer_list<int32_t> types) {
  const ControlEntry* entry = name.empty() ? nullptr : host_.FindControl(name);
  if (!entry) {
    Complain(lineNumber, "no control named '" + std::string(name) + "'");
    return std::nullopt;
  }
  bool wanted = types.size() == 0;
  for (int32_t type : types) wanted = wanted || entry->type == type;
  if (!wanted || entry->window == 0) {
    Complain(lineNumber, entry->name + " is a " + entry->typeWord + ": it cannot take that action");
    return std::nullopt;
  }
  return entry->window;
}

void EventScript::AfterAction() {
  host_.windows().PumpMessages();
  host_.OnUserActionDone();
}

bool EventScript::RunLine(std::string_view line, int lineNumber) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::string_view rest = line;
  std::string_view action = NextWord(rest);
  if (action.empty() || action.front() == '#') return true;

  if (Same(action, "click")) {
    if (auto window = Control(NextWord(rest), lineNumber)) user_.Click(*window);
  } else if (Same(action, "type") || Same(action, "key")) {
    std::string_view name = NextWord(rest);
    auto window = Control(name, lineNumber, {kControlTextBox, kControlComboBox, kControlListBox});
    if (!window) return !user_.FormClosed();
    if (Same(action, "key")) {
      std::optional<int> code = Number(NextWord(rest));
      if (!code || *code < 0 || *code > 255) {
        Complain(lineNumber, "key needs a character code from 0 to 255");
      } else {
        user_.Type(*window, *code);
      }
    } else {
      // The text is the rest of the line after the blank that ends the name.
      if (!rest.empty()) rest.remove_prefix(1);
      for (char c : rest) {
        if (user_.FormClosed()) break;
        user_.Type(*window, static_cast<unsigned char>(c));
        AfterAction();
      }
    }
  } else if (Same(action, "select")) {
    auto window = Control(NextWord(rest), lineNumber, {kControlListBox, kControlComboBox});
    std::optional<int> index = Number(NextWord(rest));
    if (window && !index) Complain(lineNumber, "select needs an item number");
    if (window && index && !user_.SelectItem(*window, *index)) {
      Complain(lineNumber, "no item " + std::to_string(*index) + " to select, or the list is " +
                               "disabled or hidden");
    }
  } else if (Same(action, "scroll")) {
    auto window = Control(NextWord(rest), lineNumber, {kControlScrollBar});
    std::string_view how = NextWord(rest);
    const ScrollWord* request = nullptr;
    for (const ScrollWord& word : kScrollWords) {
      if (Same(how, word.word)) request = &word;
    }
    std::optional<int> position = 0;
    if (request && request->request == platform::scroll::kThumbPosition) {
      position = Number(NextWord(rest));
    }
    if (window && (!request || !position)) {
      Complain(lineNumber,
               "scroll needs lineup, linedown, pageup, pagedown, top, bottom or "
               "thumb POSITION");
    } else if (window) {
      user_.Scroll(*window, request->request, *position);
    }
  } else if (Same(action, "timer")) {
    std::string_view countText = NextWord(rest);
    std::optional<int> count = countText.empty() ? std::optional<int>(1) : Number(countText);
    if (!count || *count < 0) {
      Complain(lineNumber, "timer needs a number of ticks");
    } else {
      for (int i = 0; i < *count && !user_.FormClosed(); ++i) {
        if (!user_.TimerTick()) break;  // the form's timer is stopped
        AfterAction();
      }
    }
  } else if (Same(action, "tab") || Same(action, "backtab")) {
    user_.PressTab(Same(action, "backtab"));
  } else if (Same(action, "menu")) {
    std::string_view item = NextWord(rest);
    if (Same(item, "about")) {
      user_.ChooseSystemCommand(platform::command::kAboutQuorl);
    } else if (Same(item, "forminfo")) {
      user_.ChooseSystemCommand(platform::command::kAboutForm);
    } else if (Same(item, "homepage")) {
      user_.ChooseSystemCommand(platform::command::kHomePage);
    } else {
      Complain(lineNumber, "menu needs about, forminfo or homepage");
    }
  } else if (Same(action, "close")) {
    user_.ChooseSystemCommand(platform::command::kClose);
    return false;
  } else if (Same(action, "dump")) {
    out_ << host_.DescribeControls() << std::flush;
  } else {
    Complain(lineNumber, "unknown action '" + std::string(action) + "'");
  }
  AfterAction();
  return !user_.FormClosed();
}

}  // namespace quorl
