// What Evaluate decides about one text: how it splits, which statement,
// procedure, built-in or operator it is, and the pieces the action gets.
// The decision depends only on the text, the statement mode and the
// procedure table, so it can be kept and used again (lang/plan_cache.h);
// everything that depends on the running program (variables and their
// kinds, control properties, results of calls) is still read when the plan
// runs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "values/name_tree.h"
#include "values/value.h"

namespace quorl {

struct BuiltinEntry;     // lang/builtins.cpp
struct BuiltinVariable;  // lang/builtins.cpp

enum class Step : uint8_t {
  kNothing,         // no action, no value
  kOperand,         // built-in variable, name or literal
  kNegate,          // "-" before one operand (right)
  kNot,             // "NOT " before one operand (right)
  kConditional,     // IF, ELSEIF or ELSE line; code 1 for ELSEIF and ELSE; condition in right
  kControlMethod,   // left: "CONTROL.METHOD", right: the argument text
  kProcedure,       // left: the SUB or FUNCTION, right: the argument text
  kBuiltin,         // left: the built-in, right: the argument text
  kFor,             // the parts in forParts; none when the line cannot be cut
  kNext,            // back to the FOR line
  kWhile,           // condition in right
  kWend,            // back to the WHILE line
  kDim,             // right: the declaration
  kConst,           // right: the declaration
  kAssign,          // target (left, name), expression (right)
  kCompare,         // code: Comparison
  kArithmetic,      // code: Arithmetic
  kRemainder,       //
  kConcat,          // code: kJoinsToItself in TARGET = TARGET & X
  kLogic,           // code: Logic
  kEndBody,         // END SUB, END FUNCTION, EXIT SUB, EXIT FUNCTION
  kUnknownCommand,  // "UNKNOWN COMMAND"
  kAgain,           // the left piece evaluated in the same mode
};

// A name as a look-up sees it, with the answer of its last look-up and the
// stamps of the tables that gave it. The answer holds while none of those
// tables has changed (values bound in place do not count: the node is
// remembered, its value read each time).
struct NameRef {
  std::string text;      // as written
  std::string key;       // the object's name of OBJECT.PROPERTY, else the name
  std::string property;  // trimmed; for a property reference only
  bool isProperty = false;
  bool isMe = false;         // ME is resolved afresh each time
  bool literalLike = false;  // does not begin with a letter, as a number or quoted text
  mutable bool remembered = false;
  mutable NameNode* node = nullptr;
  mutable uint64_t localsStamp = 0;
  mutable uint64_t formStamp = 0;
  mutable uint64_t globalsStamp = 0;
  // The identity of the frame table the node was found in, or 0.
  mutable uint64_t localsIdentity = 0;
};
struct Plan;

// The code of a join whose left operand is the plain variable it is assigned to.
inline constexpr uint8_t kJoinsToItself = 1;

// An expression as the routines get it: its text, and its plan where plans
// are kept; a target also carries its name reference.
struct Expr {
  Expr(std::string_view text, const Plan* plan = nullptr, const NameRef* name = nullptr)
      : text(text), plan(plan), name(name) {}
  Expr(const std::string& text) : text(text) {}  // NOLINT: texts are expressions
  Expr(const char* text) : text(text) {}         // NOLINT
  std::string_view text;
  const Plan* plan = nullptr;
  const NameRef* name = nullptr;
};

// A single operand: a built-in variable, else a name, else a literal (read
// once, with the messages reading it gives, which come again each time).
struct OperandPlan {
  const BuiltinVariable* variable = nullptr;
  NameRef name;
  Value literal;
  std::vector<std::string> literalErrors;
};

// A declaration as DIM reads it: the name and the value it starts with.
// A call's declarations remember the node they bound, and in which frame
// table, so that the next call with that table binds it without a search.
struct Declaration {
  std::string name;
  Value initial;
  mutable uint64_t tableIdentity = 0;
  mutable NameNode* node = nullptr;
};

// What every call of one procedure needs of its header, read once where
// plans are kept.
struct ProcedurePlan {
  std::string name;  // as the procedure table holds it
  bool isFunction = false;
  int header = 0;
  std::vector<std::string> headerMessages;  // reading the parameter list reports these
  std::vector<Declaration> parameters;
  Declaration result;  // a FUNCTION's variable named like it
  NameRef resultName;  // read when the body ends
  // The name read is the variable's own (no blank, no property mark in it),
  // so the variable bound in the call's frame is what the reading finds.
  bool resultReadDirectly = false;
};

// The arguments of a call, cut once: each as written and normalised, with
// its plan where plans are kept.
struct CallPlan {
  const NameNode* entry = nullptr;  // the procedure's entry in the procedure table
  std::vector<std::string> arguments;
  std::vector<std::unique_ptr<Plan>> argumentPlans;
};

// The parts of a FOR line and their plans.
struct ForPlan {
  NameRef variableName;
  std::string variable;
  std::string start;
  std::string end;
  std::string step;
  std::unique_ptr<Plan> variablePlan;
  std::unique_ptr<Plan> startPlan;
  std::unique_ptr<Plan> endPlan;
  std::unique_ptr<Plan> stepPlan;
  bool variableReadsItself = false;  // as in ForParts
};

struct Plan {
  Step step = Step::kNothing;
  bool emptyText = false;  // Evaluate of the empty text: no value, no level
  bool statementMode = false;
  uint8_t code = 0;
  // Plain numbers only (lang/numbers.h); height counts the levels of
  // nesting the general way would go through.
  bool quickPath = false;
  uint16_t height = 1;
  // Messages the split itself reported, given again each time, in order.
  std::vector<std::string> errors;
  std::string left;
  std::string right;
  const BuiltinEntry* builtin = nullptr;
  std::unique_ptr<OperandPlan> operand;  // kOperand
  std::unique_ptr<NameRef> target;       // kAssign
  std::unique_ptr<ForPlan> forParts;     // kFor
  std::unique_ptr<CallPlan> call;        // kProcedure, where plans are kept
  // Plans of the pieces, made by the plan cache; without them the pieces are
  // evaluated as texts.
  std::unique_ptr<Plan> leftPlan;
  std::unique_ptr<Plan> rightPlan;

  Expr Left() const { return Expr(left, leftPlan.get(), target.get()); }
  Expr Right() const { return Expr(right, rightPlan.get()); }
};

}  // namespace quorl
