#include "host/scroll_request.h"

#include <cstdint>

#include "platform/window_types.h"

namespace quorl {

std::optional<int> ScrollTarget(const ScrollRequest& scroll) {
  namespace sb = platform::scroll;
  // Wide arithmetic: a step never wraps round past the ends of the range.
  int64_t target = scroll.position;
  switch (scroll.request) {
    case sb::kLineUp:
      target -= scroll.smallChange;
      break;
    case sb::kLineDown:
      target += scroll.smallChange;
      break;
    case sb::kPageUp:
      target -= scroll.largeChange;
      break;
    case sb::kPageDown:
      target += scroll.largeChange;
      break;
    case sb::kThumbPosition:
      target = scroll.thumbPosition;
      break;
    case sb::kTop:
      target = scroll.minimum;
      break;
    case sb::kBottom:
      target = scroll.maximum;
      break;
    case sb::kThumbTrack:
      return std::nullopt;
    default:
      break;
  }
  // Above the maximum first, then below the minimum, as the bar's own range says.
  if (target > scroll.maximum) target = scroll.maximum;
  if (target < scroll.minimum) target = scroll.minimum;
  return static_cast<int>(target);
}

}  // namespace quorl
