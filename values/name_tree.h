// Name tables: unbalanced binary search trees of named Values, searched
// without regard to letter case. The tree's shape is observable (the first
// Timer of the form is the first found in node, left, right order), so it is
// kept exactly as names are inserted and never rebalanced.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "values/value.h"

namespace quorl {

struct NameNode {
  std::string name;
  std::unique_ptr<Value> value;  // bound values are held by the table
  std::unique_ptr<NameNode> left;
  std::unique_ptr<NameNode> right;
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
  // Whether a name that begins with a digit was ever added: only then can
  // a number's text name something in this table.
  bool HoldsNumberNames() const { return numberNames_; }

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

  std::unique_ptr<NameNode> root_;
  uint64_t* stampCounter_ = nullptr;
  uint64_t stamp_ = 0;
  bool numberNames_ = false;
};

}  // namespace quorl
