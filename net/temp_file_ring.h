// The registry of the temporary files the program makes (downloaded data,
// request and reply copies), so that each is deleted again: the oldest as
// the registry wraps round, the rest when the program ends.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/system.h"

namespace quorl {

class TempFileRing {
 public:
  static constexpr int kSlotCount = 25;

  // Enters a file name. A name already held (in any letter case) takes no
  // new slot. The file of a reused slot is deleted first; when the cursor
  // wraps, the file of slot 0 is deleted at once, though its name stays in
  // the slot until it is reused.
  void Register(std::string_view name, platform::System& system);
  // Forgets every name without deleting any file; the cursor stays.
  void Clear();
  // Deletes every registered file and empties the slots.
  void DeleteAll(platform::System& system);

  int Cursor() const { return cursor_; }
  const std::optional<std::string>& Slot(int index) const { return slots_.at(index); }
  bool Holds(std::string_view name) const;

 private:
  std::array<std::optional<std::string>, kSlotCount> slots_;
  int cursor_ = 0;
};

}  // namespace quorl
