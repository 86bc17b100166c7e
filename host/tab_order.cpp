#include "host/tab_order.h"

namespace quorl {

std::optional<platform::WindowHandle> NextTabStop(
    const std::array<platform::WindowHandle, 256>& table, platform::WindowHandle current,
    bool backwards, const std::function<bool(platform::WindowHandle)>& qualifies) {
  constexpr int kSize = 256;
  auto entry = [&table](int index) { return table[static_cast<size_t>(index % kSize)]; };
  auto acceptable = [&](int index) { return entry(index) != 0 && qualifies(entry(index)); };
  if (!backwards) {
    int start = kSize;
    for (int i = 0; i < kSize; ++i) {
      if (current != 0 && table[static_cast<size_t>(i)] == current) {
        start = i;
        break;
      }
    }
    for (int i = start + 1; i < 2 * kSize; ++i) {
      if (acceptable(i)) return entry(i);
    }
    // Nothing qualifies: entry 0 takes the focus whatever it holds; an empty
    // entry leaves no window with the focus.
    return table[0];
  }
  int start = kSize - 1;
  for (int i = 2 * kSize - 1; i >= kSize; --i) {
    if (current != 0 && entry(i) == current) {
      start = i;
      break;
    }
  }
  for (int i = start - 1; i >= 0; --i) {
    if (acceptable(i)) return entry(i);
  }
  return std::nullopt;  // nothing qualifies: the focus stays
}

}  // namespace quorl
