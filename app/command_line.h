// The command line of both runners: quorl, the console runner of the native
// build, and quorl.exe, the desktop program. Options come before the
// program's file name; what follows it is the program's own.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorl::app {

enum class Runner { kConsole, kDesktop };

// Exit codes besides 0 (the program has run, whatever it did).
inline constexpr int kLoadFailed = 1;  // the program file cannot be loaded
inline constexpr int kUsageError = 2;  // a wrong command line or event file

struct CommandLine {
  bool list = false;
  bool countLines = false;
  bool noCache = false;
  std::string events;     // the user actions to replay on the form
  std::string program;    // empty when none is named (the desktop then asks)
  std::string arguments;  // what follows the program's name, for CMDLINE
  // The desktop program's own.
  bool scripted = false;  // boxes and dialogs use the console
  bool quitAfterPaint = false;
  std::optional<std::string> transcript;
};

// How a runner shows a text: help to standard output, complaints to
// standard error (the desktop, without a console, in a message box).
using Say = std::function<void(std::string_view text, bool isError)>;

// Reads the command line; gives an exit code when the run ends here (help,
// version, a wrong command line).
std::optional<int> ParseCommandLine(int argc, char** argv, Runner runner, CommandLine& line,
                                    const Say& say);

}  // namespace quorl::app
