// quorl: the console runner of the native build. It loads a program, runs
// MAIN and FORM_LOAD, and shows message boxes and dialogs in the terminal.
#include <fstream>
#include <iostream>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/program_run.h"
#include "host/form_host.h"
#include "host/form_session.h"
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

using quorl::app::CommandLine;

void Say(std::string_view text, bool isError) {
  (isError ? std::cerr : std::cout) << text;
}

int RunProgram(quorl::Context& ctx, const CommandLine& line) {
  ctx.commandLineText = line.arguments;
  std::ifstream events;
  if (std::optional<int> exitCode = quorl::app::OpenEventFile(line, events, Say)) {
    return *exitCode;
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

  if (std::optional<int> exitCode = quorl::app::LoadAndStart(ctx, formHost, line, Say)) {
    return *exitCode;
  }
  if (!ctx.scriptOnly) {
    quorl::RunFormSession(formHost, windows, line.events.empty() ? nullptr : &events, std::cout,
                          std::cerr);
  }
  quorl::EndProgram(ctx);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CommandLine line;
  if (std::optional<int> exitCode =
          quorl::app::ParseCommandLine(argc, argv, quorl::app::Runner::kConsole, line, Say)) {
    return *exitCode;
  }

  quorl::platform::ConsoleDialogs dialogs(std::cin, std::cout);
  quorl::platform::PosixSystem system;
  quorl::Context ctx(dialogs, system);
  ctx.plans.SetEnabled(!line.noCache);
  int exitCode = 0;
  try {
    exitCode = line.list ? quorl::app::ListProgram(ctx, line) : RunProgram(ctx, line);
  } catch (const std::bad_alloc&) {
    ctx.RaiseScriptError("OUT OF MEMORY!");
  }
  std::cout << std::flush;
  if (line.countLines) std::cerr << "lines executed: " << ctx.linesExecuted << '\n';
  return exitCode;
}
