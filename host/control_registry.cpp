#include "host/control_registry.h"

#include <algorithm>

#include "values/name_tree.h"

namespace quorl {

ControlEntry& ControlRegistry::Add(ControlEntry entry) {
  entries_.push_back(std::make_unique<ControlEntry>(std::move(entry)));
  return *entries_.back();
}

ControlEntry* ControlRegistry::FindByWindow(platform::WindowHandle window) {
  if (window == 0) return nullptr;
  for (const auto& entry : entries_) {
    if (entry->window == window) return entry.get();
  }
  return nullptr;
}

ControlEntry* ControlRegistry::FindByName(std::string_view name) {
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    if (CompareNames((*it)->name, name) == 0) return it->get();
  }
  return nullptr;
}

std::vector<const ControlEntry*> ControlRegistry::InFileOrder() const {
  std::vector<const ControlEntry*> ordered;
  for (const auto& entry : entries_) ordered.push_back(entry.get());
  std::stable_sort(
      ordered.begin(), ordered.end(),
      [](const ControlEntry* a, const ControlEntry* b) { return a->order < b->order; });
  return ordered;
}

}  // namespace quorl
