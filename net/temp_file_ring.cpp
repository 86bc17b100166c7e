#include "net/temp_file_ring.h"

#include <algorithm>

#include "platform/text_case.h"

namespace quorl {

bool TempFileRing::Holds(std::string_view name) const {
  return std::ranges::any_of(slots_, [&](const std::optional<std::string>& slot) {
    return slot && platform::EqualIgnoringCase(*slot, name);
  });
}

void TempFileRing::Register(std::string_view name, platform::System& system) {
  if (name.empty() || Holds(name)) return;
  std::optional<std::string>& slot = slots_[cursor_];
  if (slot) system.DeleteFile(*slot);
  slot = std::string(name);
  if (cursor_ == kSlotCount - 1) {
    if (slots_[0]) system.DeleteFile(*slots_[0]);
    cursor_ = 0;
  } else {
    ++cursor_;
  }
}

void TempFileRing::Clear() {
  for (auto& slot : slots_) slot.reset();
}

void TempFileRing::DeleteAll(platform::System& system) {
  for (auto& slot : slots_) {
    if (slot) system.DeleteFile(*slot);
    slot.reset();
  }
}

}  // namespace quorl
