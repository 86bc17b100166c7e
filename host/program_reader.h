// Reads the program file line by line for the loader and the form builder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "values/value.h"

namespace quorl {

class ProgramReader {
 public:
  explicit ProgramReader(std::string content) : content_(std::move(content)) {}

  bool AtEnd() const { return position_ >= content_.size(); }
  // The next line without its line end (CR LF or LF alone); a last line
  // without a line end is read too. A line longer than 255 characters is
  // consumed whole, reported as "LINE TOO LONG!" and given as the empty text.
  // None at the end of the file.
  std::optional<std::string> ReadLine(ErrorReporter& errors);

 private:
  std::string content_;
  size_t position_ = 0;
};

// The form builder reads the form section, starting with its first line
// (the one after the header), up to and including the form's closing "End".
class FormBuilder {
 public:
  virtual ~FormBuilder() = default;
  virtual void BuildForm(ProgramReader& reader, const std::string& firstLine) = 0;
};

// Reads past a form section without building anything.
class FormSectionSkipper final : public FormBuilder {
 public:
  explicit FormSectionSkipper(ErrorReporter& errors) : errors_(errors) {}
  void BuildForm(ProgramReader& reader, const std::string& firstLine) override;

 private:
  ErrorReporter& errors_;
};

}  // namespace quorl
