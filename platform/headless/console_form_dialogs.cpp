#include "platform/headless/console_form_dialogs.h"

namespace quorl::platform {

void ConsoleFormDialogs::ShowAbout() {
  out_ << "About Quorl: Quorl for Win32\n"
       << "A BASIC interpreter for forms, by the Quorl developers.\n"
       << std::flush;
}

void ConsoleFormDialogs::ShowFormInfo(std::string_view aboutText, std::string_view formatText) {
  out_ << "Form Info: About this form:\n"
       << aboutText << '\n'
       << "VB Form File Format: " << formatText << '\n'
       << std::flush;
}

}  // namespace quorl::platform
