// What both runners do with a program, around their own windows: list its
// code lines, open the event file, and load the program and run its
// start-up procedures.
#pragma once

#include <fstream>
#include <optional>

#include "app/command_line.h"
#include "host/form_host.h"
#include "lang/context.h"

namespace quorl::app {

// Prints the stored code lines (--list); the exit code.
int ListProgram(Context& ctx, const CommandLine& line);

// Opens the event file that --events names, if any; an exit code when it
// cannot be opened.
std::optional<int> OpenEventFile(const CommandLine& line, std::ifstream& events, const Say& say);

// Loads the program, building its form through the host, and runs MAIN and
// FORM_LOAD; an exit code when the run ends here (nothing loaded, or user
// actions for a program without a form).
std::optional<int> LoadAndStart(Context& ctx, FormHost& host, const CommandLine& line,
                                const Say& say);

}  // namespace quorl::app
