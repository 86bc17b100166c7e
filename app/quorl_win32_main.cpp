// quorl.exe: the desktop program. It shows the loading window, loads the
// program and builds its form as real windows, runs MAIN and FORM_LOAD, then
// serves the form's messages until it is closed.
//
// With --events FILE (or --scripted) it runs the same windows from an event
// file instead of a user: message boxes and dialogs are then written to
// standard output and answered from standard input, as the console runner
// does, so that one transcript holds for both.
#include "platform/win32/windows_api.h"

#include <fstream>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "host/form_builder.h"
#include "host/form_host.h"
#include "host/form_session.h"
#include "host/loader.h"
#include "host/program.h"
#include "lang/config_files.h"
#include "lang/context.h"
#include "platform/headless/console_dialogs.h"
#include "platform/headless/console_form_dialogs.h"
#include "platform/win32/schannel_channels.h"
#include "platform/win32/win32_command_starter.h"
#include "platform/win32/win32_console.h"
#include "platform/win32/win32_dde_client.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_fonts.h"
#include "platform/win32/win32_loading_window.h"
#include "platform/win32/win32_profile_files.h"
#include "platform/win32/win32_sockets.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_windows.h"

namespace {

namespace win32 = quorl::platform;

constexpr std::string_view kUsage =
    "Usage: quorl.exe [OPTIONS] [PROGRAM [ARGS...]]\n"
    "Runs a Quorl program in a window: a form file (.frm, .qrl, .quorl) or a file\n"
    "of code alone whose first line is OPTION EXPLICIT. Without PROGRAM, the Open\n"
    "dialog asks for one. ARGS are what CMDLINE reads.\n"
    "\n"
    "Options:\n"
    "  --events FILE      work the form as the user actions in FILE say (see the\n"
    "                     README); message boxes and dialogs then use the console\n"
    "  --scripted         message boxes and dialogs use the console, without FILE\n"
    "  --transcript FILE  write what the console would show into FILE\n"
    "  --list             load the program and print its stored code lines\n"
    "  --count-lines      print the number of executed lines on standard error\n"
    "  --quit-after-paint close the form once it is painted (for timing start-up)\n"
    "  --help             show this help and exit\n"
    "  --version          show the version and exit\n";

constexpr std::string_view kVersion = "quorl.exe 0.1.0\n";

struct Options {
  bool list = false;
  bool countLines = false;
  bool scripted = false;
  bool quitAfterPaint = false;
  std::string events;
  std::optional<std::string> transcript;
  std::string program;
  std::string arguments;
};

// Shows a text where the user can see it: the console when there is one,
// else a message box.
void Tell(std::string_view text, bool isError) {
  if (win32::HasStandardOutput()) {
    (isError ? std::cerr : std::cout) << text << std::flush;
  } else {
    MessageBoxA(nullptr, std::string(text).c_str(), "Quorl",
                isError ? MB_OK | MB_ICONEXCLAMATION : MB_OK);
  }
}

std::optional<int> ParseOptions(int argc, char** argv, Options& options) {
  int i = 1;
  for (; i < argc; ++i) {
    std::string_view arg = argv[i];
    auto value = [&](std::string& into) {
      if (++i >= argc) return false;
      into = argv[i];
      return true;
    };
    if (arg == "--help" || arg == "-h") {
      Tell(kUsage, false);
      return 0;
    }
    if (arg == "--version") {
      Tell(kVersion, false);
      return 0;
    }
    std::string file;
    if (arg == "--list") {
      options.list = true;
    } else if (arg == "--count-lines") {
      options.countLines = true;
    } else if (arg == "--scripted") {
      options.scripted = true;
    } else if (arg == "--quit-after-paint") {
      options.quitAfterPaint = true;
    } else if (arg == "--events" || arg == "--transcript") {
      if (!value(file)) {
        Tell("quorl: " + std::string(arg) + " needs a file\n" + std::string(kUsage), true);
        return 2;
      }
      if (arg == "--events") {
        options.events = file;
        options.scripted = true;
      } else {
        options.transcript = file;
      }
    } else if (arg == "--") {
      ++i;
      break;
    } else if (arg.size() > 1 && arg[0] == '-') {
      Tell("quorl: unknown option '" + std::string(arg) + "'\n" + std::string(kUsage), true);
      return 2;
    } else {
      break;
    }
  }
  if (i < argc) options.program = argv[i++];
  for (; i < argc; ++i) {
    if (!options.arguments.empty()) options.arguments += ' ';
    options.arguments += argv[i];
  }
  return std::nullopt;
}

// Everything one run of a program uses, made in the order it needs.
class DesktopRun {
 public:
  DesktopRun(HINSTANCE instance, const Options& options)
      : options_(options),
        windows_(instance, fonts_, options.scripted),
        consoleDialogs_(std::cin, std::cout),
        windowDialogs_(instance, [this] { return windows_.FormHwnd(); }),
        consoleFormDialogs_(std::cout),
        windowFormDialogs_(instance, [this] { return windows_.FormHwnd(); }),
        system_([this] { windows_.PumpMessages(); }),
        ctx_(options.scripted ? static_cast<win32::Dialogs&>(consoleDialogs_) : windowDialogs_,
             system_),
        formHost_(ctx_, windows_,
                  options.scripted ? static_cast<win32::FormDialogs&>(consoleFormDialogs_)
                                   : windowFormDialogs_) {
    quorl::AttachConfigFiles(ctx_, profiles_);
    ctx_.commands = &commands_;
    ctx_.browser.client = &browser_;
    ctx_.network.sockets = &sockets_;
    ctx_.network.tls = &tls_;
    ctx_.commandLineText = options.arguments;
  }

  quorl::Context& context() { return ctx_; }

  int List() {
    quorl::FormSectionSkipper skipper(ctx_);
    if (quorl::LoadProgramFile(ctx_, options_.program, skipper).failed) return 1;
    for (int i = 0; i < ctx_.lines.Count(); ++i) {
      std::cout << i << ": " << ctx_.lines.Line(i) << '\n';
    }
    return 0;
  }

  int Run(HINSTANCE instance) {
    std::ifstream events;
    if (!options_.events.empty()) {
      events.open(options_.events);
      if (!events) {
        Tell("quorl: cannot open events file '" + options_.events + "'\n", true);
        return 2;
      }
    }
    win32::LoadingWindow loading(instance);
    windowDialogs_.SetLoadingWindow(loading.Handle());
    quorl::FormBlockBuilder builder(ctx_, &formHost_);
    // As the console runner: 1 when the program file cannot be loaded.
    quorl::LoadResult loaded = quorl::LoadProgram(ctx_, options_.program, builder);
    if (loaded != quorl::LoadResult::kLoaded) return loaded == quorl::LoadResult::kFailed ? 1 : 0;
    if (!options_.events.empty() && !formHost_.HasForm()) {
      // Nothing would take the user actions: refuse rather than drop them.
      Tell("quorl: " + options_.program + " builds no form: the user actions in '" +
               options_.events + "' cannot be replayed\n",
           true);
      return 2;
    }
    quorl::RunStartup(ctx_);
    loading.Close();
    if (!ctx_.scriptOnly) {
      if (options_.scripted) {
        quorl::RunFormSession(formHost_, windows_, options_.events.empty() ? nullptr : &events,
                              std::cout, std::cerr);
      } else if (formHost_.HasForm()) {
        windows_.BringToTop(formHost_.FormWindow());
        if (options_.quitAfterPaint) {
          windows_.PaintNow();
          formHost_.CloseForm();
        }
        windows_.RunMessageLoop();
      }
    }
    quorl::EndProgram(ctx_);
    return 0;
  }

 private:
  const Options& options_;
  win32::Win32Fonts fonts_;
  win32::Win32Windows windows_;
  win32::ConsoleDialogs consoleDialogs_;
  win32::Win32Dialogs windowDialogs_;
  win32::ConsoleFormDialogs consoleFormDialogs_;
  win32::Win32FormDialogs windowFormDialogs_;
  win32::Win32System system_;
  win32::Win32ProfileFiles profiles_;
  win32::Win32CommandStarter commands_;
  win32::Win32DdeClient browser_;
  win32::Win32Sockets sockets_;
  win32::SchannelChannels tls_;
  quorl::Context ctx_;
  quorl::FormHost formHost_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int) {
  Options options;
  std::optional<std::string> transcript;
  for (int i = 1; i + 1 < __argc; ++i) {
    if (std::string_view(__argv[i]) == "--transcript") transcript = __argv[i + 1];
  }
  if (!win32::AttachStandardStreams(transcript)) {
    MessageBoxA(nullptr, ("Cannot write the transcript file:\n  " + *transcript).c_str(), "Quorl",
                MB_OK | MB_ICONEXCLAMATION);
    return 2;
  }
  if (std::optional<int> exitCode = ParseOptions(__argc, __argv, options)) return *exitCode;
  if (!previous) win32::RegisterImageWindowClass(instance);

  DesktopRun run(instance, options);
  int exitCode = 0;
  try {
    exitCode = options.list ? run.List() : run.Run(instance);
  } catch (const std::bad_alloc&) {
    run.context().RaiseScriptError("OUT OF MEMORY!");
  }
  std::cout << std::flush;
  if (options.countLines) std::cerr << "lines executed: " << run.context().linesExecuted << '\n';
  return exitCode;
}
