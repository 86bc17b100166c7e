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

#include "app/command_line.h"
#include "app/program_run.h"
#include "host/form_host.h"
#include "host/form_session.h"
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

using quorl::app::CommandLine;

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

// Everything one run of a program uses, made in the order it needs.
class DesktopRun {
 public:
  DesktopRun(HINSTANCE instance, const CommandLine& line)
      : line_(line),
        windows_(instance, fonts_, line.scripted),
        consoleDialogs_(std::cin, std::cout),
        windowDialogs_(instance, [this] { return windows_.FormHwnd(); }),
        consoleFormDialogs_(std::cout),
        windowFormDialogs_(instance, [this] { return windows_.FormHwnd(); }),
        system_([this] { windows_.PumpMessages(); }),
        ctx_(line.scripted ? static_cast<win32::Dialogs&>(consoleDialogs_) : windowDialogs_,
             system_),
        formHost_(ctx_, windows_,
                  line.scripted ? static_cast<win32::FormDialogs&>(consoleFormDialogs_)
                                : windowFormDialogs_) {
    quorl::AttachConfigFiles(ctx_, profiles_);
    ctx_.commands = &commands_;
    ctx_.browser.client = &browser_;
    ctx_.network.sockets = &sockets_;
    ctx_.network.tls = &tls_;
    ctx_.commandLineText = line.arguments;
    ctx_.plans.SetEnabled(!line.noCache);
  }

  quorl::Context& context() { return ctx_; }

  int List() { return quorl::app::ListProgram(ctx_, line_); }

  int Run(HINSTANCE instance) {
    std::ifstream events;
    if (std::optional<int> exitCode = quorl::app::OpenEventFile(line_, events, Tell)) {
      return *exitCode;
    }
    win32::LoadingWindow loading(instance);
    windowDialogs_.SetLoadingWindow(loading.Handle());
    if (std::optional<int> exitCode = quorl::app::LoadAndStart(ctx_, formHost_, line_, Tell)) {
      return *exitCode;
    }
    loading.Close();
    if (!ctx_.scriptOnly) {
      if (line_.scripted) {
        quorl::RunFormSession(formHost_, windows_, line_.events.empty() ? nullptr : &events,
                              std::cout, std::cerr);
      } else if (formHost_.HasForm()) {
        windows_.BringToTop(formHost_.FormWindow());
        if (line_.quitAfterPaint) {
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
  const CommandLine& line_;
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
  // The transcript file must be open before anything is said.
  std::optional<std::string> transcript;
  for (int i = 1; i + 1 < __argc; ++i) {
    if (std::string_view(__argv[i]) == "--transcript") transcript = __argv[i + 1];
  }
  if (!win32::AttachStandardStreams(transcript)) {
    MessageBoxA(nullptr, ("Cannot write the transcript file:\n  " + *transcript).c_str(), "Quorl",
                MB_OK | MB_ICONEXCLAMATION);
    return 2;
  }
  CommandLine line;
  if (std::optional<int> exitCode =
          quorl::app::ParseCommandLine(__argc, __argv, quorl::app::Runner::kDesktop, line, Tell)) {
    return *exitCode;
  }
  if (!previous) win32::RegisterImageWindowClass(instance);

  DesktopRun run(instance, line);
  int exitCode = 0;
  try {
    exitCode = line.list ? run.List() : run.Run(instance);
  } catch (const std::bad_alloc&) {
    run.context().RaiseScriptError("OUT OF MEMORY!");
  }
  std::cout << std::flush;
  if (line.countLines) std::cerr << "lines executed: " << run.context().linesExecuted << '\n';
  return exitCode;
}
