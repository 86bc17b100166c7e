#include "values/name_tree.h"

#include <cctype>
#include <functional>
#include <vector>

namespace quorl {
namespace {

unsigned char Fold(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

// Names are cut to 255 characters when a node is made.
constexpr size_t kMaxNameLength = 255;

NameNode* FindFirst(NameNode* root, const std::function<bool(const NameNode&)>& matches) {
  std::vector<NameNode*> pending{root};
  while (!pending.empty()) {
    NameNode* node = pending.back();
    pending.pop_back();
    if (!node) continue;
    if (matches(*node)) return node;
    pending.push_back(node->right.get());
    pending.push_back(node->left.get());
  }
  return nullptr;
}

// Releases a subtree without recursion or a stack: left children are
// turned into right ones as the walk goes down.
void Release(std::unique_ptr<NameNode> node) {
  while (node) {
    if (node->left) {
      std::unique_ptr<NameNode> left = std::move(node->left);
      node->left = std::move(left->right);
      left->right = std::move(node);
      node = std::move(left);
    } else {
      node = std::move(node->right);
    }
  }
}

}  // namespace

int CompareNames(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = Fold(a[i]);
    unsigned char y = Fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && CompareNames(text.substr(0, prefix.size()), prefix) == 0;
}

NameTree::NameTree(std::string rootName, uint64_t* stampCounter)
    : root_(std::make_unique<NameNode>()), stampCounter_(stampCounter) {
  root_->name = std::move(rootName);
  Restamp();
  identity_ = stamp_;
}

NameTree& NameTree::operator=(NameTree&& other) noexcept {
  NameTree old(std::move(*this));  // released without recursion as it goes
  root_ = std::move(other.root_);
  literalNames_ = other.literalNames_;
  generation_ = other.generation_;
  if (!stampCounter_) stampCounter_ = other.stampCounter_;
  Restamp();
  identity_ = stamp_;
  return *this;
}

NameTree::~NameTree() {
  // Unbalanced trees can be deep: release them without recursion.
  if (!root_) return;
  Release(std::move(root_->left));
  Release(std::move(root_->right));
}

NameNode* NameTree::Find(std::string_view name) const {
  NameNode* node = root_.get();
  std::string_view key = name.substr(0, kMaxNameLength);
  while (node) {
    if (node->name.empty()) {
      node = node->right.get();
      continue;
    }
    int order = CompareNames(key, node->name);
    if (order == 0) return node->generation == generation_ ? node : nullptr;
    node = order > 0 ? node->right.get() : node->left.get();
  }
  return nullptr;
}

NameNode* NameTree::FindOrAdd(std::string_view name) {
  if (name.empty() || name == " " || !root_) return nullptr;
  std::string_view key = name.substr(0, kMaxNameLength);
  NameNode* node = root_.get();
  while (true) {
    int order = node->name.empty() ? 1 : CompareNames(key, node->name);
    if (order == 0) {
      // A node of a name the table forgot takes the name again.
      if (node->generation != generation_) Adopt(*node);
      return node;
    }
    std::unique_ptr<NameNode>& next = order > 0 ? node->right : node->left;
    if (!next) {
      next = std::make_unique<NameNode>();
      next->name = std::string(key);
      Adopt(*next);
      return next.get();
    }
    node = next.get();
  }
}

void NameTree::Adopt(NameNode& node) {
  node.generation = generation_;
  node.value.reset();
  if (!std::isalpha(static_cast<unsigned char>(node.name[0]))) literalNames_ = true;
  Restamp();
}

void NameTree::Forget() {
  ++generation_;
  if (root_) root_->generation = generation_;
  literalNames_ = false;
  Restamp();
}

NameNode* NameTree::FindByKind(int32_t kind) const {
  return FindFirst(root_.get(), [this, kind](const NameNode& n) {
    return n.generation == generation_ && n.value && n.value->kind == kind;
  });
}

NameNode* NameTree::FindByWindow(uint32_t window) const {
  return FindFirst(root_.get(), [this, window](const NameNode& n) {
    return n.generation == generation_ && n.value && n.value->window == window;
  });
}

NameNode* NameTree::Bind(NameNode& node, const Value& value) {
  if (node.generation != generation_) Adopt(node);
  node.value = value;
  node.value->held = true;
  return &node;
}

NameNode* NameTree::Bind(std::string_view name, Value value) {
  NameNode* node = FindOrAdd(name);
  if (!node) return nullptr;
  value.held = true;
  // Replace in place: whoever still holds the record (an assignment under
  // way) keeps a valid one.
  node->value = std::move(value);
  return node;
}

}  // namespace quorl
