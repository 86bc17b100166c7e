// The routines behind the built-in functions and variables, grouped by the
// files that implement them. Each takes the argument text as written between
// the call's parentheses (or after a statement built-in's name).
#pragma once

#include <string_view>

#include "lang/context.h"

namespace quorl {

// builtins_math.cpp: SIN, COS, TAN, SQR, ABS, RGB.
Result MathBuiltin(Context& ctx, std::string_view name, std::string_view arguments);
// builtins_convert.cpp: CLNG, CINT, LNG, INT, CDBL, CSNG, DBL, SNG, CBOOL, BOOL, CSTR, STR.
Result ConversionBuiltin(Context& ctx, std::string_view name, std::string_view arguments);
// builtins_string.cpp: UCASE, LCASE, TRIM, LEN, LEFT, RIGHT, MID, INSTR, CHR, ASC.
Result StringBuiltin(Context& ctx, std::string_view name, std::string_view arguments);
// builtins_encoding.cpp: ESCAPE, UNESCAPE, SPACETOPLUS, PLUSTOSPACE, TOBASE64, FROMBASE64.
Result EncodingBuiltin(Context& ctx, std::string_view name, std::string_view arguments);
// builtins_program.cpp: QUORL, END, DOEVENTS (called form).
Result ProgramBuiltin(Context& ctx, std::string_view name, std::string_view arguments);
// system_builtins.cpp: MSG, MSGBOX.
Result SystemBuiltin(Context& ctx, std::string_view name, std::string_view arguments);
// dialog_builtins.cpp: INPUTBOX, OUTPUTBOX, SHELL.
Result DialogBuiltin(Context& ctx, std::string_view name, std::string_view arguments);
// config_builtins.cpp: READINI, WRITEINI.
Result ConfigBuiltin(Context& ctx, std::string_view name, std::string_view arguments);
// status_builtins.cpp: SETSTATUS.
Result StatusBuiltin(Context& ctx, std::string_view name, std::string_view arguments);
// data_builtins.cpp: OPENDATA, OPENDATACACHE, LOADFRX, READDATA, EOFDATA,
// REOPENDATA, CLOSEDATA.
Result DataBuiltin(Context& ctx, std::string_view name, std::string_view arguments);
// browser_builtins.cpp: OPENURL.
Result BrowserBuiltin(Context& ctx, std::string_view name, std::string_view arguments);

// Built-in variables. system_builtins.cpp: SCREENX, SCREENY, CMDLINE,
// OPSYS, NOW, AUTHOR; browser_builtins.cpp: WEBURL, WEBNAME;
// status_builtins.cpp: ENDSTATUS.
// None when the name is no built-in variable of that group; the outer
// optional tells whether the name was one.
std::optional<Result> SystemVariable(Context& ctx, std::string_view name);
std::optional<Result> BrowserVariable(Context& ctx, std::string_view name);
std::optional<Result> StatusVariable(Context& ctx, std::string_view name);

}  // namespace quorl
