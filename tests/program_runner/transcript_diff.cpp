#include "tests/program_runner/transcript_diff.h"

#include <cstdio>
#include <vector>

namespace quorl::program_tests {
namespace {

struct Lines {
  std::vector<std::string_view> lines;
  bool endsWithLineFeed = false;
};

Lines SplitLines(std::string_view text) {
  Lines result;
  result.endsWithLineFeed = !text.empty() && text.back() == '\n';
  while (!text.empty()) {
    size_t end = text.find('\n');
    result.lines.push_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return result;
}

}  // namespace

std::string VisibleLine(std::string_view line) {
  std::string visible;
  for (char c : line) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      visible += "\\r";
    } else if (c == '\t') {
      visible += "\\t";
    } else if (c == '\\') {
      visible += "\\\\";
    } else if (byte < 0x20 || byte == 0x7F) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      visible += escaped;
    } else {
      visible += c;
    }
  }
  return visible;
}

std::string NumberedTranscript(std::string_view transcript) {
  if (transcript.empty()) return "  (empty)\n";
  Lines split = SplitLines(transcript);
  std::string text;
  for (size_t i = 0; i < split.lines.size(); ++i) {
    text += "  " + std::to_string(i + 1) + "| " + VisibleLine(split.lines[i]) + "\n";
  }
  if (!split.endsWithLineFeed) text += "  (no line feed after the last line)\n";
  return text;
}

std::optional<std::string> FirstDifference(std::string_view expected, std::string_view actual) {
  if (expected == actual) return std::nullopt;
  Lines want = SplitLines(expected);
  Lines got = SplitLines(actual);
  size_t common = std::min(want.lines.size(), got.lines.size());
  for (size_t i = 0; i < common; ++i) {
    if (want.lines[i] != got.lines[i]) {
      return "first difference in line " + std::to_string(i + 1) +
             ":\n  expected: " + VisibleLine(want.lines[i]) +
             "\n  actual:   " + VisibleLine(got.lines[i]);
    }
  }
  if (want.lines.size() > common) {
    return "the output ends after line " + std::to_string(common) +
           "; expected next: " + VisibleLine(want.lines[common]);
  }
  if (got.lines.size() > common) {
    return "the output goes on after line " + std::to_string(common) +
           " with: " + VisibleLine(got.lines[common]);
  }
  return std::string(want.endsWithLineFeed ? "the output lacks the final line feed"
                                           : "the output has an unexpected final line feed");
}

}  // namespace quorl::program_tests
