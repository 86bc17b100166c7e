// Declarations and name lookup across the local, form and global tables.
#pragma once

#include <string_view>

#include "lang/context.h"
#include "lang/plan.h"

namespace quorl {

enum Scope : int { kScopeLocal = 0, kScopeForm = 1, kScopeGlobal = 2 };

// Binds a value under a name in the table of the scope; none when scope is
// local and no procedure runs.
NameNode* BindName(Context& ctx, std::string_view name, Value value, int scope);
// DIM / GLOBAL: "NAME [AS TYPE]".
NameNode* DeclareVariable(Context& ctx, std::string_view declaration, int scope);
// The name and initial value that DeclareVariable binds for a declaration.
Declaration ReadDeclaration(std::string_view declaration);
// CONST: "NAME = LITERAL".
void DeclareConstant(Context& ctx, std::string_view declaration, int scope);

// A name cut into the object's name and property, ready to be looked up.
NameRef MakeNameRef(std::string_view name);

// The table's own record for a name; for "OBJECT.PROPERTY" the object's record.
// ME stands for the form. None when no table holds the name. Where plans are
// kept, a name reference remembers its answer while the tables stay the same.
Value* LookupName(Context& ctx, std::string_view name);
Value* FindName(Context& ctx, const NameRef& name);
inline Value* LookupName(Context& ctx, const NameRef& name) {
  if (name.remembered && !ctx.callerScopeLookup && ctx.plans.Enabled() && !ctx.frames.empty()) {
    const NameTree& locals = ctx.frames.back().locals;
    if (name.localsStamp == locals.Stamp() && name.formStamp == ctx.formTable.Stamp() &&
        name.globalsStamp == ctx.globals.Stamp()) {
      return name.node ? name.node->Bound() : nullptr;
    }
    // Found in the frame's own table, which is searched first, and still
    // one of its names: each call of a procedure finds its names so.
    if (name.node && name.localsIdentity == locals.Identity() && locals.Holds(*name.node)) {
      return name.node->Bound();
    }
    // A literal names nothing while no table searched holds a name like it.
    if (name.literalLike && !locals.HoldsLiteralNames() && !ctx.formTable.HoldsLiteralNames() &&
        !ctx.globals.HoldsLiteralNames()) {
      return nullptr;
    }
  }
  return FindName(ctx, name);
}
// An assignment's target: through its name reference when it has one.
inline Value* LookupTarget(Context& ctx, const Expr& target) {
  return target.name ? LookupName(ctx, *target.name) : LookupName(ctx, target.text);
}
// What reading a name gives, converted to the hint: a control's (default)
// property, or a copy of the variable. Outer none when no table holds the name.
std::optional<Result> ReadName(Context& ctx, const NameRef& name, int32_t hint);

bool IsFunctionName(const Context& ctx, std::string_view name);
bool IsSubName(const Context& ctx, std::string_view name);

}  // namespace quorl
