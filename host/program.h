// Starting and ending a program: load it, prepare its procedures, run MAIN
// and FORM_LOAD, and release everything at the end.
#pragma once

#include <string_view>

#include "host/program_reader.h"
#include "lang/context.h"

namespace quorl {

// False when nothing is to run (the loader has told the user why).
bool StartProgram(Context& ctx, std::string_view commandLine, FormBuilder& formBuilder);

enum class LoadResult {
  kLoaded,
  kNothingToRun,  // the user cancelled, or the file holds no code
  kFailed,        // the program file could not be loaded
};

// StartProgram in two steps, for a runner that looks at what was loaded
// (whether a form was built) before anything runs. After kLoaded either
// RunStartup and later EndProgram follow, or nothing.
LoadResult LoadProgram(Context& ctx, std::string_view commandLine, FormBuilder& formBuilder);
void RunStartup(Context& ctx);
void EndProgram(Context& ctx);

}  // namespace quorl
