// Where a scroll request moves a scroll bar's thumb.
#pragma once

#include <optional>

namespace quorl {

struct ScrollRequest {
  int request = 0;        // platform::scroll::k...
  int thumbPosition = 0;  // for the thumb requests
  int position = 0;       // where the thumb is now
  int minimum = 0;
  int maximum = 0;
  int smallChange = 1;
  int largeChange = 1;
};

// The new position, kept within the range; none while the thumb is being
// dragged (the position changes only when it is let go).
std::optional<int> ScrollTarget(const ScrollRequest& scroll);

}  // namespace quorl
