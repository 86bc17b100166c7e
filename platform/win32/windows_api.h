// The system's API for the files of this folder. <windows.h> turns names
// such as MessageBox and DeleteFile into macros, which would rename the
// platform interfaces' methods of the same names: those macros are dropped,
// and this folder calls the ANSI functions by their own names.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef MessageBox
#undef DeleteFile
#undef GetObject
#undef CreateFont
