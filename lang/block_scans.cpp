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
  std::string_view missingMessage;
  int landingOffset;  // 0: on the matching line, 1: after it
  bool setsResumeFlag;
};

// Reaching the procedure's boundary, or the end of the code, means the
// partner line is missing: report it and end the running procedure.
void FailScan(Context& ctx, std::string_view message) {
  ctx.resumeFlag = false;
  ctx.RaiseScriptError(message);
  ctx.RaiseFatalScriptError();
}

void RunScan(Context& ctx, const ScanRule& rule) {
  CallFrame* frame = ctx.CurrentFrame();
  if (!frame) return;
  int nesting = 0;
  for (int index = frame->line + rule.direction;; index += rule.direction) {
    if (!ctx.lines.Has(index)) return FailScan(ctx, rule.missingMessage);
    std::string line = Normalized(ctx.lines.Line(index));
    if (rule.opener(line)) {
      ++nesting;
    } else if (rule.match(line)) {
      if (nesting == 0) {
        frame->line = index + rule.landingOffset;
        ctx.resumeFlag = rule.setsResumeFlag;
        return;
      }
      --nesting;
    } else if (rule.boundary(line)) {
      return FailScan(ctx, rule.missingMessage);
    }
  }
}

auto Begins(std::string_view prefix) {
  return [prefix](const std::string& line) { return StartsWith(line, prefix); };
}

}  // namespace

void SkipToEndIf(Context& ctx) {
  RunScan(ctx, {1, Begins("IF "), IsEndIf, IsProcedureEnd, "ENDIF NOT FOUND!", 1, false});
}

void SkipToNextBranch(Context& ctx) {
  CallFrame* frame = ctx.CurrentFrame();
  if (!frame) return;
  int nesting = 0;
  for (int index = frame->line + 1;; ++index) {
    if (!ctx.lines.Has(index)) return FailScan(ctx, "ENDIF NOT FOUND!");
    std::string line = Normalized(ctx.lines.Line(index));
    if (StartsWith(line, "ELSEIF ") || line == "ELSE") {
      // A nested construct's branches are passed over.
      if (nesting > 0) continue;
      frame->line = index;
      ctx.resumeFlag = true;
      return;
    }
    if (StartsWith(line, "IF ")) {
      ++nesting;
    } else if (IsEndIf(line)) {
      if (nesting == 0) {
        frame->line = index + 1;
        return;
      }
      --nesting;
    } else if (IsProcedureEnd(line)) {
      return FailScan(ctx, "ENDIF NOT FOUND!");
    }
  }
}

void SkipToWend(Context& ctx) {
  RunScan(ctx, {1, Begins("WHILE "), [](const std::string& l) { return Is(l, "WEND"); },
                IsProcedureEnd, "WEND NOT FOUND", 1, false});
}

void BackToWhile(Context& ctx) {
  RunScan(ctx,
          {-1, Begins("WEND"), Begins("WHILE "), IsProcedureHeader, "WHILE NOT FOUND", 0, true});
}

void SkipToNext(Context& ctx) {
  RunScan(ctx, {1, Begins("FOR "), Begins("NEXT"), IsProcedureEnd, "NEXT NOT FOUND", 1, false});
}

void BackToFor(Context& ctx) {
  RunScan(ctx, {-1, Begins("NEXT"), Begins("FOR "), IsProcedureHeader, "FOR NOT FOUND", 0, true});
}

}  // namespace quorl
