#include "host/program_reader.h"

#include "lang/text_utils.h"

namespace quorl {

std::optional<std::string> ProgramReader::ReadLine(ErrorReporter& errors) {
  if (AtEnd()) return std::nullopt;
  size_t lineFeed = content_.find('\n', position_);
  size_t end = lineFeed == std::string::npos ? content_.size() : lineFeed;
  std::string line = content_.substr(position_, end - position_);
  position_ = lineFeed == std::string::npos ? content_.size() : lineFeed + 1;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  line = CutAtNul(std::move(line));
  if (line.size() > kMaxTextLength) {
    errors.RaiseScriptError("LINE TOO LONG!");
    return std::string();
  }
  return line;
}

void FormSectionSkipper::BuildForm(ProgramReader& reader, const std::string& firstLine) {
  if (!StartsWith(Normalized(firstLine), "Begin ")) return;
  int depth = 1;
  while (depth > 0) {
    std::optional<std::string> line = reader.ReadLine(errors_);
    if (!line) return;
    std::string trimmed = Normalized(*line);
    if (StartsWith(trimmed, "Begin ")) ++depth;
    if (trimmed == "End") --depth;
  }
}

}  // namespace quorl
