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
    // Nothing qualifies: entry 0 takes the focus, unless it is empty.
    if (table[0] != 0) return table[0];
    return std::nullopt;
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
