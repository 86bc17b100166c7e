// Loads a program file: checks its header, hands the form section to the
// form builder and stores the code section in normal form.
#pragma once

#include <string_view>

#include "host/program_reader.h"
#include "lang/context.h"

namespace quorl {

// What a load gave: the number of stored code lines, 0 when nothing is to
// run (the reason has been shown to the user), and whether that is because
// the file could not be loaded at all (it could not be opened, or it is
// empty, a binary form or too long); the user's Cancel is no failure.
struct LoadedProgram {
  int lines = 0;
  bool failed = false;
};

LoadedProgram LoadProgramFile(Context& ctx, std::string_view commandLine, FormBuilder& formBuilder);
// The same for a file's content already read; path names it in messages.
LoadedProgram LoadProgramText(Context& ctx, const std::string& path, std::string content,
                              FormBuilder& formBuilder);

// One physical code line in normal form, as the loader stores it: comment
// cut, trimmed, upper-cased outside quotes. A one-line IF gives three lines.
std::vector<std::string> NormalizeCodeLine(std::string line);

}  // namespace quorl
