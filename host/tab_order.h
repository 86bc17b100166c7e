// The program's own Tab and Shift+Tab focus cycling over the Tab order table.
#pragma once

#include <array>
#include <functional>
#include <optional>

#include "platform/window_types.h"

namespace quorl {

// Where the focus goes from the window that has it, or none to leave it
// there. Forward, the search starts after the window's own entry (after
// entry 0 when it has none), wraps round and ends at the window itself; when
// nothing qualifies, entry 0 gets the focus, and an empty entry 0 (window 0)
// takes it from every window. Backward, it starts before the
// window's own entry (at entry 254 when it has none), wraps round and ends
// at the window itself. An entry qualifies when it holds a window and
// `qualifies` accepts it (the window is enabled and visible).
std::optional<platform::WindowHandle> NextTabStop(
    const std::array<platform::WindowHandle, 256>& table, platform::WindowHandle current,
    bool backwards, const std::function<bool(platform::WindowHandle)>& qualifies);

}  // namespace quorl
