#include "app/command_line.h"

namespace quorl::app {
namespace {

constexpr std::string_view kConsoleHeader =
    "Usage: quorl [OPTIONS] PROGRAM [ARGS...]\n"
    "Runs a Quorl program. Options come before PROGRAM; what follows it is the\n"
    "program's own (ARGS, which CMDLINE reads).\n";

constexpr std::string_view kDesktopHeader =
    "Usage: quorl.exe [OPTIONS] [PROGRAM [ARGS...]]\n"
    "Runs a Quorl program in a window. Without PROGRAM, the Open dialog asks for\n"
    "one. Options come before PROGRAM; what follows it is the program's own\n"
    "(ARGS, which CMDLINE reads).\n";

constexpr std::string_view kFileKinds =
    "\n"
    "The first line of the program file tells its kind, whatever its name ends\n"
    "with (.qrl, .quorl or .frm): OPTION EXPLICIT starts a file of code alone,\n"
    "VERSION 4.00 (or 2.00, 1.00) a form file, whose form is described in\n"
    "Begin ... End blocks before the code. The procedures MAIN and FORM_LOAD\n"
    "run; a form then takes the actions of the event file, if one is given,\n"
    "and closes.\n"
    "\n"
    "Options:\n"
    "  --events FILE   work the form's controls as FILE says, one action a line\n"
    "                  (click NAME, type NAME TEXT, select NAME INDEX, timer,\n"
    "                  dump, close, ...: README.md, \"Form programs and event\n"
    "                  files\", lists them all); a program that builds no form\n"
    "                  is refused with exit code 2\n"
    "  --list          load the program and print its stored code lines\n"
    "  --count-lines   print the number of executed lines on standard error\n"
    "  --no-cache      split every line again each time it runs, keeping no plans\n"
    "                  (slower; for comparing with the normal run)\n";

constexpr std::string_view kDesktopOptions =
    "  --scripted      boxes and dialogs use the console (below), as with --events\n"
    "  --transcript FILE\n"
    "                  write what the console shows into FILE\n"
    "  --quit-after-paint\n"
    "                  close the form once it is painted (for timing start-up)\n";

constexpr std::string_view kEnding =
    "  --help          show this help and exit\n"
    "  --version       show the version and exit\n"
    "\n"
    "Message boxes print as 'CAPTION: TEXT'. A question box then reads one line:\n"
    "a button name (OK, Cancel, Abort, Retry, Ignore, Yes, No) or its number; an\n"
    "empty line or the end of input takes the box's default button.\n"
    "\n"
    "Exit status: 0 when the program has run (whatever it did), 1 when the\n"
    "program file cannot be loaded, 2 for a wrong command line.\n";

std::string Usage(Runner runner) {
  bool desktop = runner == Runner::kDesktop;
  std::string usage(desktop ? kDesktopHeader : kConsoleHeader);
  usage += kFileKinds;
  if (desktop) usage += kDesktopOptions;
  return usage + std::string(kEnding);
}

}  // namespace

std::optional<int> ParseCommandLine(int argc, char** argv, Runner runner, CommandLine& line,
                                    const Say& say) {
  bool desktop = runner == Runner::kDesktop;
  int i = 1;
  for (; i < argc; ++i) {
    std::string_view arg = argv[i];
    auto wrong = [&](const std::string& complaint) {
      say("quorl: " + complaint + "\n" + Usage(runner), true);
      return kUsageError;
    };
    if (arg == "--help" || arg == "-h") {
      say(Usage(runner), false);
      return 0;
    }
    if (arg == "--version") {
      say(desktop ? "quorl.exe 0.1.0\n" : "quorl 0.1.0\n", false);
      return 0;
    }
    bool takesFile = arg == "--events" || (desktop && arg == "--transcript");
    if (takesFile && ++i >= argc) return wrong(std::string(arg) + " needs a file");
    if (arg == "--list") {
      line.list = true;
    } else if (arg == "--count-lines") {
      line.countLines = true;
    } else if (arg == "--no-cache") {
      line.noCache = true;
    } else if (arg == "--events") {
      line.events = argv[i];
      line.scripted = true;
    } else if (desktop && arg == "--transcript") {
      line.transcript = argv[i];
    } else if (desktop && arg == "--scripted") {
      line.scripted = true;
    } else if (desktop && arg == "--quit-after-paint") {
      line.quitAfterPaint = true;
    } else if (arg == "--") {
      ++i;
      break;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return wrong("unknown option '" + std::string(arg) + "'");
    } else {
      break;
    }
  }
  // The console has no Open dialog: it needs a program.
  if (i >= argc && !desktop) {
    say(Usage(runner), true);
    return kUsageError;
  }
  if (i < argc) line.program = argv[i++];
  for (; i < argc; ++i) {
    if (!line.arguments.empty()) line.arguments += ' ';
    line.arguments += argv[i];
  }
  return std::nullopt;
}

}  // namespace quorl::app
