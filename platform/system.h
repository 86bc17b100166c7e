// The seam to the operating system for the interpreter's system services.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace quorl::platform {

class System {
 public:
  virtual ~System() = default;
  // Milliseconds since some fixed point; seeds the random generator.
  virtual uint32_t TickCount() = 0;
  // The current local date and time.
  virtual std::tm LocalTime() = 0;
  // Size of the primary screen in pixels.
  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;
  // Dispatches up to 250 pending window messages.
  virtual void PumpMessages() = 0;
  // The system's folder for temporary files, ending in a separator.
  virtual std::string TempDirectory() = 0;
  // Deletes a file; failures are ignored by every caller.
  virtual bool DeleteFile(const std::string& path) = 0;
  // Makes a new, empty, uniquely named file in the temporary folder that only
  // the user can read and write, and returns its path; none on failure.
  virtual std::optional<std::string> CreateTempFile(std::string_view prefix) = 0;
};

}  // namespace quorl::platform
