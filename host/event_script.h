// Scripted user actions for a form run without a screen. One action a line:
//   click NAME            type NAME TEXT        key NAME CODE
//   select NAME INDEX     scroll NAME lineup|linedown|pageup|pagedown|top|bottom
//   scroll NAME thumb POS timer [COUNT]         tab      backtab
//   menu about|forminfo|homepage                close    dump
// Control names and action words are read without regard to letter case;
// empty lines and lines beginning with "#" are skipped.
#pragma once

#include <istream>
#include <ostream>
#include <string_view>

#include "host/form_host.h"
#include "platform/user_actions.h"

namespace quorl {

class EventScript {
 public:
  // Descriptions (dump) go to out; complaints about lines that are no
  // action go to errors, with the line's number, and the line is skipped.
  EventScript(FormHost& host, platform::UserActions& user, std::ostream& out, std::ostream& errors)
      : host_(host), user_(user), out_(out), errors_(errors) {}

  // Replays the actions until the input ends, a "close" line, or the form
  // is closed by the program.
  void Run(std::istream& events);
  // One line; false once the form is closed.
  bool RunLine(std::string_view line, int lineNumber);

 private:
  void Complain(int lineNumber, std::string_view message);
  // The window of the named control when its type is one of the wanted ones.
  std::optional<platform::WindowHandle> Control(std::string_view name, int lineNumber,
                                                std::initializer_list<int32_t> types = {});
  void AfterAction();

  FormHost& host_;
  platform::UserActions& user_;
  std::ostream& out_;
  std::ostream& errors_;
};

}  // namespace quorl
