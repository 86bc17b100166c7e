// quorl: the console runner of the native build. It loads a program, runs
// MAIN and FORM_LOAD, and shows message boxes and dialogs in the terminal.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "host/form_builder.h"
#include "host/form_host.h"
#include "host/form_session.h"
#include "host/loader.h"
#include "host/program.h"
#include "lang/config_files.h"
#include "lang/context.h"
#include "net/quorl_config.h"
#include "platform/headless/console_dialogs.h"
#include "platform/headless/console_form_dialogs.h"
#include "platform/headless/headless_windows.h"
#include "platform/posix/devtools_browser.h"
#include "platform/posix/openssl_channels.h"
#include "platform/posix/posix_command_starter.h"
#include "platform/posix/posix_profile_files.h"
#include "platform/posix/posix_sockets.h"
#include "platform/posix/posix_system.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: quorl [OPTIONS] PROGRAM [ARGS...]\n"
    "Runs a Quorl program. Options come before PROGRAM; what follows it is the\n"
    "program's own (ARGS, which CMDLINE reads).\n"
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
    "                  (slower; for comparing with the normal run)\n"
    "  --help          show this help and exit\n"
    "  --version       show the version and exit\n"
    "\n"
    "Message boxes print as 'CAPTION: TEXT'. A question box then reads one line:\n"
    "a button name (OK, Cancel, Abort, Retry, Ignore, Yes, No) or its number; an\n"
    "empty line or the end of input takes the box's default button.\n"
    "\n"
    "Exit status: 0 when the program has run (whatever it did), 1 when the\n"
    "program file cannot be loaded, 2 for a wrong command line.\n";

constexpr std::string_view kVersion = "quorl 0.1.0\n";

struct Options {
  bool list = false;
  bool countLines = false;
  bool noCache = false;
  std::string events;  // the user actions to replay on the form
  std::string program;
  std::string arguments;  // what follows the program's name, for CMDLINE
};

// Parses the command line; returns an exit code when the run ends here.
std::optional<int> ParseOptions(int argc, char** argv, Options& options) {
  int i = 1;
  for (; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (arg == "--version") {
      std::cout << kVersion;
      return 0;
    }
    if (arg == "--list") {
      options.list = true;
    } else if (arg == "--events") {
      if (++i >= argc) {
        std::cerr << "quorl: --events needs a file\n" << kUsage;
        return 2;
      }
      options.events = argv[i];
    } else if (arg == "--count-lines") {
      options.countLines = true;
    } else if (arg == "--no-cache") {
      options.noCache = true;
    } else if (arg == "--") {
      ++i;
      break;
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::cerr << "quorl: unknown option '" << arg << "'\n" << kUsage;
      return 2;
    } else {
      break;
    }
  }
  if (i >= argc) {
    std::cerr << kUsage;
    return 2;
  }
  options.program = argv[i];
  for (++i; i < argc; ++i) {
    if (!options.arguments.empty()) options.arguments += ' ';
    options.arguments += argv[i];
  }
  return std::nullopt;
}

// The exit code when the program file could not be loaded.
constexpr int kLoadFailed = 1;

int ListProgram(quorl::Context& ctx, const Options& options) {
  quorl::FormSectionSkipper skipper(ctx);
  if (quorl::LoadProgramFile(ctx, options.program, skipper).failed) return kLoadFailed;
  for (int i = 0; i < ctx.lines.Count(); ++i) {
    std::cout << i << ": " << ctx.lines.Line(i) << '\n';
  }
  return 0;
}

int RunProgram(quorl::Context& ctx, const Options& options) {
  ctx.commandLineText = options.arguments;
  std::ifstream events;
  if (!options.events.empty()) {
    events.open(options.events);
    if (!events) {
      std::cerr << "quorl: cannot open events file '" << options.events << "'\n";
      return 2;
    }
  }
  // The browser is one whose DevTools endpoint the "DevTools" key of
  // "QuorlConfig" names; its temporary pages go with the program's own.
  quorl::platform::DevToolsBrowser browser(
      ctx.system, [&ctx] { return quorl::ReadQuorlConfig(ctx, "DevTools"); },
      [&ctx](const std::string& path) { ctx.tempFiles.Register(path, ctx.system); });
  ctx.browser.client = &browser;
  // A form lives in memory without a screen; its system menu's boxes print.
  quorl::platform::HeadlessWindows windows;
  quorl::platform::ConsoleFormDialogs formDialogs(std::cout);
  quorl::FormHost formHost(ctx, windows, formDialogs);
  quorl::platform::PosixProfileFiles profiles;
  quorl::AttachConfigFiles(ctx, profiles);
  quorl::platform::PosixCommandStarter commands;
  ctx.commands = &commands;
  quorl::platform::PosixSockets sockets;
  ctx.network.sockets = &sockets;
  quorl::platform::OpenSslChannels tls;
  ctx.network.tls = &tls;

  quorl::FormBlockBuilder builder(ctx, &formHost);
  quorl::LoadResult loaded = quorl::LoadProgram(ctx, options.program, builder);
  if (loaded != quorl::LoadResult::kLoaded) {
    return loaded == quorl::LoadResult::kFailed ? kLoadFailed : 0;
  }
  if (!options.events.empty() && !formHost.HasForm()) {
    // Nothing would take the user actions: refuse rather than drop them.
    std::cerr << "quorl: " << options.program << " builds no form: the user actions in '"
              << options.events << "' cannot be replayed\n";
    return 2;
  }
  quorl::RunStartup(ctx);
  if (!ctx.scriptOnly) {
    quorl::RunFormSession(formHost, windows, options.events.empty() ? nullptr : &events, std::cout,
                          std::cerr);
  }
  quorl::EndProgram(ctx);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (std::optional<int> exitCode = ParseOptions(argc, argv, options)) return *exitCode;

  quorl::platform::ConsoleDialogs dialogs(std::cin, std::cout);
  quorl::platform::PosixSystem system;
  quorl::Context ctx(dialogs, system);
  ctx.plans.SetEnabled(!options.noCache);
  int exitCode = 0;
  try {
    exitCode = options.list ? ListProgram(ctx, options) : RunProgram(ctx, options);
  } catch (const std::bad_alloc&) {
    ctx.RaiseScriptError("OUT OF MEMORY!");
  }
  std::cout << std::flush;
  if (options.countLines) std::cerr << "lines executed: " << ctx.linesExecuted << '\n';
  return exitCode;
}
