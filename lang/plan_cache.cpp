#include "lang/plan_cache.h"

#include "lang/classify.h"
#include "lang/context.h"
#include "lang/numbers.h"
#include "lang/procedures.h"

namespace quorl {
namespace {

// A text of at most 255 characters nests its pieces less deeply than this;
// the limit only keeps a pathological text from building without end.
constexpr int kMaxPlanDepth = 300;
// The run-time texts start afresh when they hold this many characters.
constexpr size_t kMaxTextCharacters = 64 * 1024;

// TARGET = TARGET & X, with TARGET a plain variable on both sides.
void MarkJoinToItself(Plan& assignment) {
  Plan& join = *assignment.rightPlan;
  if (join.step != Step::kConcat || !join.errors.empty() || !join.leftPlan) return;
  const Plan& left = *join.leftPlan;
  if (left.step != Step::kOperand || !left.errors.empty() || left.operand->variable) return;
  const NameRef& name = left.operand->name;
  if (!name.isProperty && !assignment.target->isProperty && name.key == assignment.target->key) {
    join.code = kJoinsToItself;
  }
}

// Whether a plan reads exactly the variable that a look-up of name finds.
bool ReadsByName(const Plan& read, const NameRef& name) {
  if (read.step != Step::kOperand || !read.errors.empty() || read.operand->variable) return false;
  const NameRef& own = read.operand->name;
  return !own.isProperty && !name.isProperty && own.key == name.key;
}

}  // namespace

std::unique_ptr<Plan> BuildPlan(Context& ctx, std::string_view text, bool statementMode,
                                int depth) {
  auto plan = std::make_unique<Plan>(Classify(ctx, text, statementMode));
  if (depth >= kMaxPlanDepth) return plan;
  auto piece = [&](const std::string& piece, bool mode) {
    return BuildPlan(ctx, piece, mode, depth + 1);
  };
  switch (plan->step) {
    case Step::kArithmetic:
    case Step::kRemainder:
    case Step::kConcat:
    case Step::kLogic:
    case Step::kCompare:
      plan->leftPlan = piece(plan->left, false);
      plan->rightPlan = piece(plan->right, false);
      break;
    case Step::kNegate:
    case Step::kNot:
    case Step::kConditional:
    case Step::kWhile:
      plan->rightPlan = piece(plan->right, false);
      break;
    case Step::kAssign:
      plan->rightPlan = piece(plan->right, false);
      MarkJoinToItself(*plan);
      break;
    case Step::kAgain:
      plan->leftPlan = piece(plan->left, statementMode);
      break;
    case Step::kProcedure:
      plan->call = std::make_unique<CallPlan>(CutArguments(plan->right));
      plan->call->entry = ctx.procedures.Find(plan->left);
      for (const std::string& argument : plan->call->arguments) {
        plan->call->argumentPlans.push_back(piece(argument, false));
      }
      break;
    case Step::kFor:
      if (ForPlan* parts = plan->forParts.get()) {
        parts->variablePlan = piece(parts->variable, false);
        parts->startPlan = piece(parts->start, false);
        parts->endPlan = piece(parts->end, false);
        parts->stepPlan = piece(parts->step, false);
        parts->variableReadsItself = ReadsByName(*parts->variablePlan, parts->variableName);
      }
      break;
    default:
      break;
  }
  MarkQuickPath(*plan);
  return plan;
}

void PlanCache::DropWhenStale(const Context& ctx) {
  if (Fresh()) return;
  proceduresStamp_ = ctx.procedures.Stamp();
  linesVersion_ = ctx.lines.Version();
  // A line plan may be running further up; at the top level none is.
  if (ctx.evaluationDepth == 0) retired_.clear();
  for (std::unique_ptr<Plan>& plan : linePlans_) {
    if (plan) retired_.push_back(std::move(plan));
  }
  if (ctx.evaluationDepth == 0) retired_.clear();
  linePlans_.clear();
  for (TextPlans& plans : texts_) plans.clear();
  lastFound_ = {};
  textCharacters_ = 0;
  for (std::vector<ScanOutcome>& outcomes : scans_) outcomes.clear();
  procedurePlans_.clear();
}

const Plan& PlanCache::BuildLine(Context& ctx, int index) {
  size_t slot = static_cast<size_t>(index);
  DropWhenStale(ctx);
  if (slot >= linePlans_.size()) {
    linePlans_.resize(std::max<size_t>(slot + 1, ctx.lines.Count()));
  }
  std::unique_ptr<Plan>& plan = linePlans_[slot];
  if (!plan) plan = BuildPlan(ctx, ctx.lines.Line(index), true);
  return *plan;
}

PlanHandle PlanCache::ForText(Context& ctx, std::string_view text, bool statementMode) {
  if (!Fresh()) DropWhenStale(ctx);
  const size_t mode = statementMode ? 1 : 0;
  const TextPlans::value_type*& last = lastFound_[mode];
  if (last && last->first == text) return PlanHandle(last->second);
  TextPlans& plans = texts_[mode];
  auto found = plans.find(text);
  if (found != plans.end()) {
    last = &*found;
    return PlanHandle(found->second);
  }
  if (plans.size() >= kMaxTexts || textCharacters_ >= kMaxTextCharacters) {
    for (TextPlans& table : texts_) table.clear();
    lastFound_ = {};
    textCharacters_ = 0;
  }
  std::shared_ptr<const Plan> plan = BuildPlan(ctx, text, statementMode);
  textCharacters_ += text.size();
  last = &*plans.emplace(std::string(text), plan).first;
  return PlanHandle(std::move(plan));
}

std::unique_ptr<ProcedurePlan>& PlanCache::GrowProcedures(Context& ctx, int header) {
  size_t slot = static_cast<size_t>(header);
  DropWhenStale(ctx);
  if (slot >= procedurePlans_.size()) {
    procedurePlans_.resize(std::max<size_t>(slot + 1, ctx.lines.Count()));
  }
  return procedurePlans_[slot];
}

ScanOutcome& PlanCache::GrowScans(Context& ctx, ScanKind kind, int line) {
  std::vector<ScanOutcome>& outcomes = scans_[static_cast<size_t>(kind)];
  size_t slot = static_cast<size_t>(line);
  DropWhenStale(ctx);
  if (slot >= outcomes.size()) outcomes.resize(std::max<size_t>(slot + 1, ctx.lines.Count()));
  return outcomes[slot];
}

}  // namespace quorl
