// How the language reaches the form and its controls. The form host
// implements it; a program of code alone runs with the empty implementation.
#pragma once

#include <cstdint>
#include <string_view>

#include "values/value.h"

namespace quorl {

class ControlAccess {
 public:
  virtual ~ControlAccess() = default;
  // A property of a control record; property "." is the default property.
  virtual Result GetControlProperty(Value& control, std::string_view property) = 0;
  // The kind with which an assigned expression is evaluated for the property.
  virtual int32_t PropertyValueKind(const Value& control, std::string_view property) = 0;
  virtual void SetControlProperty(Value& control, std::string_view property,
                                  const Value& value) = 0;
  // LIST1.ADDITEM "X" and the other control methods; target is "LIST1.ADDITEM".
  virtual Result CallControlMethod(std::string_view target, std::string_view arguments) = 0;
  // The form's window handle, 0 while there is no form; resolves ME.
  virtual uint32_t FormWindow() const = 0;
  // END: asks the form window to close.
  virtual void PostCloseRequest() = 0;
};

// No form: properties read as nothing and methods do nothing.
class NoControls final : public ControlAccess {
 public:
  Result GetControlProperty(Value&, std::string_view) override { return std::nullopt; }
  int32_t PropertyValueKind(const Value&, std::string_view) override { return kKindString; }
  void SetControlProperty(Value&, std::string_view, const Value&) override {}
  Result CallControlMethod(std::string_view, std::string_view) override { return std::nullopt; }
  uint32_t FormWindow() const override { return 0; }
  void PostCloseRequest() override {}
};

}  // namespace quorl
