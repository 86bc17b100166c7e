// The list methods: CLEAR, ADDITEM, REMOVEITEM, LIST and SELECTED.
#include "host/control_types.h"
#include "host/form_host.h"
#include "lang/evaluate.h"
#include "values/text_utils.h"

namespace quorl {

Result FormHost::CallControlMethod(std::string_view target, std::string_view arguments) {
  size_t mark = target.find_first_of(".!");
  if (mark == std::string_view::npos) return std::nullopt;
  std::string name(target.substr(0, mark));
  TrimBlanks(name);
  std::string method = Normalized(target.substr(mark + 1));
  NameNode* node = ctx_.formTable.Find(name);
  if (!node || !node->value) return std::nullopt;
  auto argument = [&](int32_t kind) -> Result {
    Result value = Evaluate(ctx_, kind, arguments, false);
    return value ? ConvertValue(kind, *value) : std::nullopt;
  };

  if (method == "CLEAR") {
    if (IsListType(node->value->kind)) windows_.ClearItems(node->value->window);
    return std::nullopt;
  }
  if (method == "ADDITEM") {
    Result text = argument(kKindString);
    // The argument may have run code that rebound the name.
    node = ctx_.formTable.Find(name);
    if (!text || !node || !node->value || !IsListType(node->value->kind)) return std::nullopt;
    node->value->integer = windows_.AddItem(node->value->window, text->text.value_or(""));
    return std::nullopt;
  }
  if (method != "REMOVEITEM" && method != "LIST" && method != "SELECTED") return std::nullopt;
  Result index = argument(kKindInteger);
  node = ctx_.formTable.Find(name);
  if (!index || !node || !node->value) return std::nullopt;
  Value& control = *node->value;
  if (method == "REMOVEITEM") {
    if (!IsListType(control.kind)) return std::nullopt;
    control.integer = 0;
    // The low 16 bits, read with their sign: -1 removes nothing.
    windows_.DeleteItem(control.window, static_cast<int16_t>(index->integer & 0xFFFF));
    return std::nullopt;
  }
  if (method == "LIST") {
    if (!IsListType(control.kind)) return std::nullopt;
    return Value::String(windows_.ItemText(control.window, index->integer).value_or(""));
  }
  if (control.kind != kControlListBox) return std::nullopt;
  return Value::Integer(windows_.IsItemSelected(control.window, index->integer) ? 1 : 0);
}

}  // namespace quorl
