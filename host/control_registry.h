// What the host keeps about each control beyond its record in the form
// table: its name and type as the form file wrote them, its window, and the
// settings that live in no window (colours, scroll steps, picture).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_types.h"

namespace quorl {

struct ControlEntry {
  std::string name;      // as bound in the form table: "Command1", "Command1(2)"
  std::string typeWord;  // the block type word: "CommandButton", "VScrollBar", ...
  int32_t type = 0;
  platform::WindowHandle window = 0;        // 0 for a Timer
  int order = 0;                            // place of the Begin line in the form file
  std::optional<int> index = std::nullopt;  // the element's Index in a control array
  platform::Colour background = 0xFFFFFF;
  platform::Colour foreground = 0x000000;
  int smallChange = 1;  // scroll bars
  int largeChange = 1;
  uint32_t pictureOffset = 0;  // images: where the picture lies in the form's .FRX file
  uint32_t picture = 0;        // images: 1 once a picture is loaded
};

class ControlRegistry {
 public:
  ControlEntry& Add(ControlEntry entry);
  // None for window 0 and for windows of no control.
  ControlEntry* FindByWindow(platform::WindowHandle window);
  // The last control built under the name (letter case ignored).
  ControlEntry* FindByName(std::string_view name);
  // Every control in the order of the form file.
  std::vector<const ControlEntry*> InFileOrder() const;
  void Clear() { entries_.clear(); }

 private:
  std::vector<std::unique_ptr<ControlEntry>> entries_;
};

}  // namespace quorl
