// Declarations and name lookup across the local, form and global tables.
#pragma once

#include <string_view>

#include "lang/context.h"

namespace quorl {

enum Scope : int { kScopeLocal = 0, kScopeForm = 1, kScopeGlobal = 2 };

// Binds a value under a name in the table of the scope; none when scope is
// local and no procedure runs.
NameNode* BindName(Context& ctx, std::string_view name, Value value, int scope);
// DIM / GLOBAL: "NAME [AS TYPE]".
NameNode* DeclareVariable(Context& ctx, std::string_view declaration, int scope);
// CONST: "NAME = LITERAL".
void DeclareConstant(Context& ctx, std::string_view declaration, int scope);

// The table's own record for a name; for "OBJECT.PROPERTY" the object's record.
// ME stands for the form. None when no table holds the name.
Value* LookupName(Context& ctx, std::string_view name);
// What reading a name gives, converted to the hint: a control's (default)
// property, or a copy of the variable. Outer none when no table holds the name.
std::optional<Result> ReadName(Context& ctx, std::string_view name, int32_t hint);

bool IsFunctionName(const Context& ctx, std::string_view name);
bool IsSubName(const Context& ctx, std::string_view name);

}  // namespace quorl
