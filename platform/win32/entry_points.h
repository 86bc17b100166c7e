// Functions of a library loaded at run time, looked up by name into typed
// pointers (the declarations of the system's headers give the types).
#pragma once

#include "platform/win32/windows_api.h"

namespace quorl::platform {

// False when the library lacks the function.
template <typename Pointer>
bool FindEntryPoint(HMODULE library, const char* name, Pointer& pointer) {
  pointer = reinterpret_cast<Pointer>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  return pointer != nullptr;
}

}  // namespace quorl::platform
