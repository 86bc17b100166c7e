#include "lang/block_scans.h"

#include <functional>
#include <string>

#include "values/text_utils.h"

namespace quorl {
namespace {

using LineTest = std::function<bool(const std::string&)>;

bool Is(const std::string& line, std::string_view word) {
  return line == word;
}

bool IsEndIf(const std::string& line) {
  return Is(line, "ENDIF") || Is(line, "END IF");
}

bool IsProcedureEnd(const std::string& line) {
  return StartsWith(line, "END SUB") || StartsWith(line, "END FUNCTION");
}

bool IsProcedureHeader(const std::string& line) {
  return StartsWith(line, "SUB ") || StartsWith(line, "FUNCTION ");
}

struct ScanRule {
  int direction;  // +1 down, -1 up
  LineTest opener;
  LineTest match;
  LineTest boundary;
  int landingOffset;  // 0: on the matching line, 1: after it
  bool setsResumeFlag;
};

// Where the scan from line start ends: a pure function of the stored lines.
ScanOutcome FindPartner(const LineStore& lines, int start, const ScanRule& rule) {
  int nesting = 0;
  for (int index = start + rule.direction;; index += rule.direction) {
    if (!lines.Has(index)) return {ScanOutcome::kFails, 0};
    std::string line = Normalized(lines.Line(index));
    if (rule.opener(line)) {
      ++nesting;
    } else if (rule.match(line)) {
      if (nesting == 0) {
        return {rule.setsResumeFlag ? ScanOutcome::kLandsResuming : ScanOutcome::kLands,
                index + rule.landingOffset};
      }
      --nesting;
    } else if (rule.boundary(line)) {
      return {ScanOutcome::kFails, 0};
    }
  }
}

// The next ELSEIF or ELSE of the construct (flag set), or the line after its
// ENDIF (flag as it was); a nested construct's branches are passed over.
ScanOutcome FindNextBranch(const LineStore& lines, int start) {
  int nesting = 0;
  for (int index = start + 1;; ++index) {
    if (!lines.Has(index)) return {ScanOutcome::kFails, 0};
    std::string line = Normalized(lines.Line(index));
    if (StartsWith(line, "ELSEIF ") || line == "ELSE") {
      if (nesting > 0) continue;
      return {ScanOutcome::kLandsResuming, index};
    }
    if (StartsWith(line, "IF ")) {
      ++nesting;
    } else if (IsEndIf(line)) {
      if (nesting == 0) return {ScanOutcome::kLandsKeepingFlag, index + 1};
      --nesting;
    } else if (IsProcedureEnd(line)) {
      return {ScanOutcome::kFails, 0};
    }
  }
}

// Moves the current line to the partner, or reports it missing. Scans from
// a stored line are remembered where plans are kept: the lines never change.
template <typename Find>
void MoveToPartner(Context& ctx, ScanKind kind, std::string_view missingMessage, const Find& find) {
  CallFrame* frame = ctx.CurrentFrame();
  if (!frame) return;
  ScanOutcome outcome;
  if (ctx.plans.Enabled() && ctx.lines.Has(frame->line)) {
    ScanOutcome& remembered = ctx.plans.Scan(ctx, kind, frame->line);
    if (remembered.state == ScanOutcome::kUnknown) remembered = find(frame->line);
    outcome = remembered;
  } else {
    outcome = find(frame->line);
  }
  // Reaching the procedure's boundary, or the end of the code, means the
  // partner line is missing: report it and end the running procedure.
  if (outcome.state == ScanOutcome::kFails) {
    ctx.resumeFlag = false;
    ctx.RaiseScriptError(missingMessage);
    ctx.RaiseFatalScriptError();
    return;
  }
  frame->line = outcome.line;
  if (outcome.state != ScanOutcome::kLandsKeepingFlag) {
    ctx.resumeFlag = outcome.state == ScanOutcome::kLandsResuming;
  }
}

// The rule is made only when the scan has to run.
template <typename MakeRule>
void RunScan(Context& ctx, ScanKind kind, std::string_view missingMessage,
             const MakeRule& makeRule) {
  MoveToPartner(ctx, kind, missingMessage,
                [&](int start) { return FindPartner(ctx.lines, start, makeRule()); });
}

auto Begins(std::string_view prefix) {
  return [prefix](const std::string& line) { return StartsWith(line, prefix); };
}

}  // namespace

void SkipToEndIf(Context& ctx) {
  RunScan(ctx, ScanKind::kToEndIf, "ENDIF NOT FOUND!",
          [] { return ScanRule{1, Begins("IF "), IsEndIf, IsProcedureEnd, 1, false}; });
}

void SkipToNextBranch(Context& ctx) {
  MoveToPartner(ctx, ScanKind::kToNextBranch, "ENDIF NOT FOUND!",
                [&](int start) { return FindNextBranch(ctx.lines, start); });
}

void SkipToWend(Context& ctx) {
  RunScan(ctx, ScanKind::kToWend, "WEND NOT FOUND", [] {
    return ScanRule{1,
                    Begins("WHILE "),
                    [](const std::string& l) { return Is(l, "WEND"); },
                    IsProcedureEnd,
                    1,
                    false};
  });
}

void BackToWhile(Context& ctx) {
  RunScan(ctx, ScanKind::kBackToWhile, "WHILE NOT FOUND", [] {
    return ScanRule{-1, Begins("WEND"), Begins("WHILE "), IsProcedureHeader, 0, true};
  });
}

void SkipToNext(Context& ctx) {
  RunScan(ctx, ScanKind::kToNext, "NEXT NOT FOUND",
          [] { return ScanRule{1, Begins("FOR "), Begins("NEXT"), IsProcedureEnd, 1, false}; });
}

void BackToFor(Context& ctx) {
  RunScan(ctx, ScanKind::kBackToFor, "FOR NOT FOUND",
          [] { return ScanRule{-1, Begins("NEXT"), Begins("FOR "), IsProcedureHeader, 0, true}; });
}

}  // namespace quorl
