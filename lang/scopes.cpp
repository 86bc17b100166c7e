#include "lang/scopes.h"

#include <cctype>

#include "values/text_utils.h"

namespace quorl {
namespace {

bool IsLiteralLike(std::string_view name) {
  return !std::isalpha(static_cast<unsigned char>(name[0]));
}

NameTree* TableOf(Context& ctx, int scope) {
  switch (scope) {
    case kScopeLocal:
      return ctx.frames.empty() ? nullptr : &ctx.frames.back().locals;
    case kScopeForm:
      return &ctx.formTable;
    case kScopeGlobal:
      return &ctx.globals;
    default:
      return nullptr;
  }
}

// The initial value of a declared variable from how its declaration ends.
Value InitialValue(std::string_view declaration) {
  if (EndsWith(declaration, "AS LONG") || EndsWith(declaration, "AS INTEGER")) {
    return Value::Integer(0);
  }
  if (EndsWith(declaration, "AS SINGLE") || EndsWith(declaration, "AS DOUBLE")) {
    return Value::Double(0.0);
  }
  if (EndsWith(declaration, "AS BOOLEAN")) return Value::Boolean(false);
  if (EndsWith(declaration, "AS STRING")) {
    Value text;
    text.kind = kKindString;  // declared but never assigned: no text at all
    return text;
  }
  return Value::Integer(0);
}

// inCurrentFrame tells whether the node is the current frame's own.
// Whether a table that a look-up searches holds a name that does not begin
// with a letter: only then can a literal's text (a number, a quoted text)
// name something.
bool HoldLiteralNames(const Context& ctx, int depth) {
  return ctx.formTable.HoldsLiteralNames() || ctx.globals.HoldsLiteralNames() ||
         (depth >= 0 && ctx.frames[depth].locals.HoldsLiteralNames()) ||
         (depth >= 1 && ctx.frames[depth - 1].locals.HoldsLiteralNames());
}

NameNode* FindInScopes(Context& ctx, std::string_view name, bool* inCurrentFrame = nullptr) {
  int depth = ctx.FrameDepth();
  if (!name.empty() && IsLiteralLike(name) && !HoldLiteralNames(ctx, depth)) return nullptr;
  if (depth >= 1 && ctx.callerScopeLookup) {
    if (NameNode* node = ctx.frames[depth - 1].locals.Find(name)) return node;
  }
  if (depth >= 0) {
    if (NameNode* node = ctx.frames[depth].locals.Find(name)) {
      if (inCurrentFrame) *inCurrentFrame = true;
      return node;
    }
  }
  if (NameNode* node = ctx.formTable.Find(name)) return node;
  return ctx.globals.Find(name);
}

// The look-up of a name remembered while the tables it searched stay the
// same. While arguments bind, the caller's frame is searched too: nothing
// is remembered then.
NameNode* FindRemembered(Context& ctx, const NameRef& name) {
  int depth = ctx.FrameDepth();
  if (!ctx.plans.Enabled() || depth < 0 || (depth >= 1 && ctx.callerScopeLookup)) {
    return FindInScopes(ctx, name.key);
  }
  const NameTree& locals = ctx.frames[depth].locals;
  if (name.remembered && name.localsStamp == locals.Stamp() &&
      name.formStamp == ctx.formTable.Stamp() && name.globalsStamp == ctx.globals.Stamp()) {
    return name.node;
  }
  // A name found in the frame's own table is found there again while that
  // table (the same one, though emptied and refilled for another call)
  // holds it: the frame's table is searched first. A literal names nothing
  // until a table gains a name like it, which gives that table a new stamp.
  bool sameAnswer = name.remembered && name.node && name.localsIdentity == locals.Identity() &&
                    locals.Holds(*name.node);
  if (name.literalLike && !HoldLiteralNames(ctx, depth)) {
    name.node = nullptr;
    name.localsIdentity = 0;
  } else if (!sameAnswer) {
    bool inCurrentFrame = false;
    name.node = FindInScopes(ctx, name.key, &inCurrentFrame);
    name.localsIdentity = inCurrentFrame ? locals.Identity() : 0;
  }
  name.remembered = true;
  name.localsStamp = locals.Stamp();
  name.formStamp = ctx.formTable.Stamp();
  name.globalsStamp = ctx.globals.Stamp();
  return name.node;
}

// Resolves ME to the form's own name in the form table.
std::string ResolveObjectName(Context& ctx, const std::string& object) {
  if (object != "ME") return object;
  uint32_t form = ctx.controls->FormWindow();
  NameNode* node = form ? ctx.formTable.FindByWindow(form) : nullptr;
  return node ? node->name : object;
}

}  // namespace

NameNode* BindName(Context& ctx, std::string_view name, Value value, int scope) {
  NameTree* table = TableOf(ctx, scope);
  if (!table) return nullptr;
  return table->Bind(name, std::move(value));
}

Declaration ReadDeclaration(std::string_view declaration) {
  std::string name(declaration.substr(0, declaration.find(' ')));
  TrimBlanks(name);
  if (!name.empty() && name.back() == '$') name.pop_back();
  return {std::move(name), InitialValue(declaration)};
}

NameNode* DeclareVariable(Context& ctx, std::string_view declaration, int scope) {
  Declaration read = ReadDeclaration(declaration);
  return BindName(ctx, read.name, std::move(read.initial), scope);
}

void DeclareConstant(Context& ctx, std::string_view declaration, int scope) {
  size_t equals = declaration.find('=');
  if (equals == std::string_view::npos) {
    // No literal at all: no value can be made, and nothing is bound.
    ctx.RaiseScriptError("CAN'T CONVERT VALUE!");
    return;
  }
  std::string name(declaration.substr(0, equals));
  std::string literal(declaration.substr(equals + 1));
  TrimBlanks(name);
  if (!name.empty() && name.back() == '$') name.pop_back();
  TrimBlanks(literal);
  Value value = ParseLiteral(literal, ctx);
  value.constant = true;
  BindName(ctx, name, std::move(value), scope);
}

NameRef MakeNameRef(std::string_view name) {
  NameRef ref;
  ref.text = std::string(name);
  ref.literalLike = !name.empty() && IsLiteralLike(name);
  size_t mark = PropertyMark(name);
  if (mark == std::string_view::npos) {
    ref.key = ref.text;
    return ref;
  }
  // "OBJECT.PROPERTY" or "OBJECT!PROPERTY": the object is looked up.
  ref.isProperty = true;
  ref.key = std::string(name.substr(0, mark));
  ref.property = std::string(name.substr(mark + 1));
  TrimBlanks(ref.property);
  ref.isMe = ref.key == "ME";
  return ref;
}

Value* LookupName(Context& ctx, std::string_view name) {
  return LookupName(ctx, MakeNameRef(name));
}

Value* FindName(Context& ctx, const NameRef& name) {
  NameNode* node =
      name.isMe ? FindInScopes(ctx, ResolveObjectName(ctx, name.key)) : FindRemembered(ctx, name);
  return node ? node->Bound() : nullptr;
}

std::optional<Result> ReadName(Context& ctx, const NameRef& name, int32_t hint) {
  Value* found = LookupName(ctx, name);
  if (!found) return std::nullopt;
  if (!name.isProperty && !found->IsControl()) return ConvertValue(hint, *found);
  if (!found->IsControl()) return Result{};  // a property of something that is no control
  Result value = ctx.controls->GetControlProperty(*found, name.isProperty ? name.property : ".");
  if (!value) return Result{};
  return ConvertValue(hint, *value);
}

bool IsFunctionName(const Context& ctx, std::string_view name) {
  NameNode* node = ctx.procedures.Find(name);
  return node && node->value && node->value->kind == kKindFunction;
}

bool IsSubName(const Context& ctx, std::string_view name) {
  NameNode* node = ctx.procedures.Find(name);
  return node && node->value && node->value->kind == kKindSub;
}

}  // namespace quorl
