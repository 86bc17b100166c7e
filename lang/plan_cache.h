// Plans kept for texts that run again, and the partner lines of block
// statements. Stored code lines never change once the procedures are
// scanned, so their plans are kept by line index; texts made at run time
// (QUORL's argument, the argument texts of calls) by the text itself, in a
// table of bounded size. All of it is dropped when the procedure table or
// the stored lines change. With the cache switched off every text is split
// again each time it runs: the plain path, which the tests compare with.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lang/plan.h"

namespace quorl {

class Context;

// A plan in use: kept plans stay alive while one runs, even when the
// cache lets them go meanwhile.
class PlanHandle {
 public:
  explicit PlanHandle(std::shared_ptr<const Plan> plan) : plan_(std::move(plan)) {}
  const Plan& operator*() const { return *plan_; }

 private:
  std::shared_ptr<const Plan> plan_;
};

// Where a block scan that starts at a line ends up.
struct ScanOutcome {
  enum State : uint8_t { kUnknown, kLands, kLandsResuming, kLandsKeepingFlag, kFails };
  State state = kUnknown;
  int32_t line = 0;
};

enum class ScanKind : uint8_t {
  kToEndIf,
  kToNextBranch,
  kToWend,
  kBackToWhile,
  kToNext,
  kBackToFor
};

class PlanCache {
 public:
  // How many run-time texts keep their plans; the table starts afresh when full.
  static constexpr size_t kMaxTexts = 1024;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  // The plan of stored line index in statement mode.
  const Plan& ForLine(Context& ctx, int index);
  PlanHandle ForText(Context& ctx, std::string_view text, bool statementMode);
  // The remembered outcome of a scan from a line; kUnknown the first time.
  ScanOutcome& Scan(Context& ctx, ScanKind kind, int line);

 private:
  struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  using TextPlans =
      std::unordered_map<std::string, std::shared_ptr<const Plan>, TextHash, std::equal_to<>>;

  // Whether what is kept was learnt of the present procedures and lines.
  bool Fresh(const Context& ctx) const;
  // Drops everything once the procedures or the lines have changed.
  void DropWhenStale(const Context& ctx);

  bool enabled_ = true;
  uint64_t proceduresStamp_ = 0;
  uint64_t linesVersion_ = 0;
  std::vector<std::unique_ptr<Plan>> lines_;
  // Line plans dropped while a line may still run; let go at the top level.
  std::vector<std::unique_ptr<Plan>> retired_;
  std::array<TextPlans, 2> texts_;  // by statement mode
  size_t textCharacters_ = 0;
  std::array<std::vector<ScanOutcome>, 6> scans_;
};

}  // namespace quorl
