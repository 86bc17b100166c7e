// Loads a program file: checks its header, hands the form section to the
// form builder and stores the code section in normal form.
#pragma once

#include <string_view>

#include "host/program_reader.h"
#include "lang/context.h"

namespace quorl {

// Returns the number of stored code lines; 0 means nothing is to run (the
// reason has been shown to the user).
int LoadProgramFile(Context& ctx, std::string_view commandLine, FormBuilder& formBuilder);

// One physical code line in normal form, as the loader stores it: comment
// cut, trimmed, upper-cased outside quotes. A one-line IF gives three lines.
std::vector<std::string> NormalizeCodeLine(std::string line);

}  // namespace quorl
