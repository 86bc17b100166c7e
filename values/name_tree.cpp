#include "values/name_tree.h"

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
}

NameTree& NameTree::operator=(NameTree&& other) noexcept {
  NameTree old(std::move(*this));  // released without recursion as it goes
  root_ = std::move(other.root_);
  numberNames_ = other.numberNames_;
  if (!stampCounter_) stampCounter_ = other.stampCounter_;
  Restamp();
  return *this;
}

NameTree::~NameTree() {
  // Unbalanced trees can be deep: release them without recursion.
  std::vector<std::unique_ptr<NameNode>> pending;
  pending.push_back(std::move(root_));
  while (!pending.empty()) {
    std::unique_ptr<NameNode> node = std::move(pending.back());
    pending.pop_back();
    if (!node) continue;
    pending.push_back(std::move(node->left));
    pending.push_back(std::move(node->right));
  }
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
    if (order == 0) return node;
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
    if (order == 0) return node;
    std::unique_ptr<NameNode>& next = order > 0 ? node->right : node->left;
    if (!next) {
      next = std::make_unique<NameNode>();
      next->name = std::string(key);
      if (key[0] >= '0' && key[0] <= '9') numberNames_ = true;
      Restamp();
      return next.get();
    }
    node = next.get();
  }
}

NameNode* NameTree::FindByKind(int32_t kind) const {
  return FindFirst(root_.get(),
                   [kind](const NameNode& n) { return n.value && n.value->kind == kind; });
}

NameNode* NameTree::FindByWindow(uint32_t window) const {
  return FindFirst(root_.get(),
                   [window](const NameNode& n) { return n.value && n.value->window == window; });
}

NameNode* NameTree::Bind(std::string_view name, Value value) {
  NameNode* node = FindOrAdd(name);
  if (!node) return nullptr;
  value.held = true;
  // Replace in place: whoever still holds the record (an assignment under
  // way) keeps a valid one.
  if (node->value) {
    *node->value = std::move(value);
  } else {
    node->value = std::make_unique<Value>(std::move(value));
  }
  return node;
}

}  // namespace quorl
