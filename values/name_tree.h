// Name tables: unbalanced binary search trees of named Values, searched
// without regard to letter case. The tree's shape is observable (the first
// Timer of the form is the first found in node, left, right order), so it is
// kept exactly as names are inserted and never rebalanced.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "values/value.h"

namespace quorl {

struct NameNode {
  std::string name;
  // Bound values are held by the table, in the node: a bound value keeps
  // its address for as long as the table lives.
  std::optional<Value> value;
  std::unique_ptr<NameNode> left;
  std::unique_ptr<NameNode> right;

  Value* Bound() { return value ? &*value : nullptr; }
};

// Case-insensitive byte comparison folding A-Z to a-z only.
int CompareNames(std::string_view a, std::string_view b);
// Whether the text begins with the prefix in that same comparison.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

// Stamps tell remembered look-ups whether a table may answer differently
// now: a table takes a new stamp whenever it gains a name or is replaced.
// Tables that share one counter never share a stamp, so a stamp also tells
// two tables apart (the locals of a popped frame and of the next one).
class NameTree {
 public:
  // Without a counter the table stamps from a count of its own.
  explicit NameTree(std::string rootName = "", uint64_t* stampCounter = nullptr);
  NameTree(NameTree&&) noexcept = default;
  // The table keeps its own counter, when it has one, and takes a new stamp.
  NameTree& operator=(NameTree&& other) noexcept;
  ~NameTree();

  uint64_t Stamp() const { return stamp_; }
  // Whether a name that does not begin with a letter was ever added: only
  // then can a literal's text (a number, a quoted text) name something here.
  bool HoldsLiteralNames() const { return literalNames_; }

  NameNode* Find(std::string_view name) const;
  // None for the empty name and a single blank.
  NameNode* FindOrAdd(std::string_view name);
  // First node, in node, left, right order, whose value has the kind / window.
  NameNode* FindByKind(int32_t kind) const;
  NameNode* FindByWindow(uint32_t window) const;
  // Binds a value (its held flag set), dropping what was bound before.
  NameNode* Bind(std::string_view name, Value value);

 private:
  void Restamp() { stamp_ = stampCounter_ ? ++*stampCounter_ : stamp_ + 1; }

  mutable NameNode root_;  // a sentinel: searches pass it by on the right
  uint64_t* stampCounter_ = nullptr;
  uint64_t stamp_ = 0;
  bool literalNames_ = false;
};

}  // namespace quorl
