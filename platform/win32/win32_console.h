// Where the desktop program's text goes. A program of the window subsystem
// has no console of its own: it writes to the standard handles it was given,
// else to the console of the program that started it, else nowhere; or to a
// file named on its command line. Lines end in LF alone, as on every host.
#pragma once

#include <optional>
#include <string>

namespace quorl::platform {

// False when the transcript file cannot be made.
bool AttachStandardStreams(const std::optional<std::string>& transcriptFile);
// True when something reads what the program writes.
bool HasStandardOutput();

}  // namespace quorl::platform
