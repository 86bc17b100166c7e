#include "host/program_reader.h"

#include "values/name_tree.h"
#include "values/text_utils.h"

namespace quorl {
namespace {}  // namespace

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

// Reads the same lines as the form builder: the first line opens the form only
// when it begins with "Begin " as read; inner lines are trimmed; both words
// count in any letter case.
void FormSectionSkipper::BuildForm(ProgramReader& reader, const std::string& firstLine) {
  if (!StartsWithIgnoringCase(firstLine, "Begin ")) return;
  int depth = 1;
  while (depth > 0) {
    std::optional<std::string> line = reader.ReadLine(errors_);
    if (!line) return;
    std::string trimmed = Normalized(*line);
    if (StartsWithIgnoringCase(trimmed, "Begin ")) ++depth;
    if (CompareNames(trimmed, "End") == 0) --depth;
  }
}

}  // namespace quorl
