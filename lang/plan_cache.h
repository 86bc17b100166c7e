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

#include "lang/line_store.h"
#include "lang/plan.h"
#include "values/name_tree.h"

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
  // What is kept holds while these two stay as they were.
  PlanCache(const NameTree& procedures, const LineStore& lines)
      : procedures_(procedures), lines_(lines) {}

  // How many run-time texts keep their plans; the table starts afresh when full.
  static constexpr size_t kMaxTexts = 1024;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  // The plan of stored line index in statement mode.
  const Plan& ForLine(Context& ctx, int index) {
    size_t slot = static_cast<size_t>(index);
    if (slot < linePlans_.size() && linePlans_[slot] && Fresh()) return *linePlans_[slot];
    return BuildLine(ctx, index);
  }
  PlanHandle ForText(Context& ctx, std::string_view text, bool statementMode);
  // The remembered outcome of a scan from a line; kUnknown the first time.
  ScanOutcome& Scan(Context& ctx, ScanKind kind, int line) {
    std::vector<ScanOutcome>& outcomes = scans_[static_cast<size_t>(kind)];
    size_t slot = static_cast<size_t>(line);
    if (slot < outcomes.size() && Fresh()) return outcomes[slot];
    return GrowScans(ctx, kind, line);
  }
  // Where the plan of the procedure whose header is at line is kept; empty
  // the first time.
  std::unique_ptr<ProcedurePlan>& Procedure(Context& ctx, int header) {
    size_t slot = static_cast<size_t>(header);
    if (slot < procedurePlans_.size() && Fresh()) return procedurePlans_[slot];
    return GrowProcedures(ctx, header);
  }

 private:
  struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  using TextPlans =
      std::unordered_map<std::string, std::shared_ptr<const Plan>, TextHash, std::equal_to<>>;

  // Whether what is kept was learnt of the present procedures and lines.
  bool Fresh() const {
    return procedures_.Stamp() == proceduresStamp_ && lines_.Version() == linesVersion_;
  }
  // Drops everything once the procedures or the lines have changed.
  void DropWhenStale(const Context& ctx);
  const Plan& BuildLine(Context& ctx, int index);
  ScanOutcome& GrowScans(Context& ctx, ScanKind kind, int line);
  std::unique_ptr<ProcedurePlan>& GrowProcedures(Context& ctx, int header);

  const NameTree& procedures_;
  const LineStore& lines_;
  bool enabled_ = true;
  uint64_t proceduresStamp_ = 0;
  uint64_t linesVersion_ = 0;
  std::vector<std::unique_ptr<Plan>> linePlans_;
  // Line plans dropped while a line may still run; let go at the top level.
  std::vector<std::unique_ptr<Plan>> retired_;
  std::array<TextPlans, 2> texts_;  // by statement mode
  // The entry each mode found last, tried before the table: a loop often
  // evaluates the same text again (a built-in's argument). None once the
  // tables are emptied.
  std::array<const TextPlans::value_type*, 2> lastFound_{};
  size_t textCharacters_ = 0;
  std::array<std::vector<ScanOutcome>, 6> scans_;
  std::vector<std::unique_ptr<ProcedurePlan>> procedurePlans_;  // by header line
};

}  // namespace quorl
