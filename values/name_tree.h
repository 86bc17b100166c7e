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
  // A node belongs to the table's names while its generation is the table's.
  uint32_t generation = 0;

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
  // Tells this table's nodes from any other's: it stays while the table
  // lives (moved, emptied and refilled), and a table made or replaced in
  // its place takes a new one. Its nodes live as long as it keeps it.
  uint64_t Identity() const { return identity_; }
  // Whether a node of this table is one of its names now.
  bool Holds(const NameNode& node) const { return node.generation == generation_; }
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
  // The same for a node of this table that Bind gave for the name before:
  // the name finds that node again, so no search is needed.
  NameNode* Bind(NameNode& node, const Value& value);
  // Empties the table as far as every search can tell, keeping its nodes for
  // the names bound again (a frame's locals, taken for the next call).
  void Forget();

 private:
  void Restamp() { stamp_ = stampCounter_ ? ++*stampCounter_ : stamp_ + 1; }
  // Makes a node one of the table's names, with nothing bound yet.
  void Adopt(NameNode& node);

  // A sentinel that searches pass by on the right; held apart so that a
  // table moves cheaply. None only in a table that was moved from.
  std::unique_ptr<NameNode> root_;
  uint64_t* stampCounter_ = nullptr;
  uint64_t stamp_ = 0;
  uint64_t identity_ = 0;
  bool literalNames_ = false;
  uint32_t generation_ = 0;
};

}  // namespace quorl
