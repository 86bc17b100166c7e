// The stored code lines of the program, in normal form, addressed by index.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorl {

inline constexpr int kMaxCodeLines = 1500;

class LineStore {
 public:
  int Count() const { return static_cast<int>(lines_.size()); }
  bool Has(int index) const { return index >= 0 && index < Count(); }
  // The empty text for an index outside the store.
  const std::string& Line(int index) const {
    static const std::string kEmpty;
    return Has(index) ? lines_[index] : kEmpty;
  }
  std::string& MutableLine(int index) {
    ++version_;
    return lines_[index];
  }
  // False when the store is full.
  bool Append(std::string line) {
    if (Count() >= kMaxCodeLines) return false;
    lines_.push_back(std::move(line));
    ++version_;
    return true;
  }
  void Clear() {
    lines_.clear();
    ++version_;
  }
  // Changes whenever a line may have changed; what was learnt of the lines
  // holds while it stays the same.
  uint64_t Version() const { return version_; }

 private:
  std::vector<std::string> lines_;
  uint64_t version_ = 0;
};

}  // namespace quorl
