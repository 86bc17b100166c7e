#include "platform/posix/ini_text.h"
#include "platform/profile_files.h"
#include "platform/text_case.h"

#include <cctype>
#include <vector>

namespace quorl::platform {
namespace {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::string_view Trim(std::string_view text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

// The section a "[name]" line opens, or none for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  std::string_view trimmed = Trim(line);
  if (trimmed.size() < 2 || trimmed.front() != '[') return std::nullopt;
  size_t close = trimmed.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(trimmed.substr(1, close - 1));
}

// The key of a "key=value" line, or none for a comment or any other line.
std::optional<std::string_view> KeyName(std::string_view line) {
  std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
  size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Trim(trimmed.substr(0, equals));
}

std::string ValueOf(std::string_view line) {
  std::string_view value = Trim(line.substr(line.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

}  // namespace

std::optional<std::string> ReadIniValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
  bool inSection = false;
  bool seenSection = false;
  for (const std::string& line : SplitLines(text)) {
    if (std::optional<std::string_view> name = SectionName(line)) {
      if (inSection) return std::nullopt;  // only the first section of the name counts
      inSection = !seenSection && EqualIgnoringCase(*name, section);
      seenSection = seenSection || inSection;
      continue;
    }
    if (!inSection) continue;
    std::optional<std::string_view> name = KeyName(line);
    if (name && EqualIgnoringCase(*name, key)) return ValueOf(line);
  }
  return std::nullopt;
}

std::string WriteIniValue(std::string_view text, std::string_view section, std::string_view key,
                          std::string_view value) {
  std::string lineEnd = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
  std::vector<std::string> lines = SplitLines(text);
  std::string cleanSection = OnOneLine(section);
  std::string cleanKey = OnOneLine(key);
  std::string cleanValue = OnOneLine(value);

  // The first section of the name: where it starts and its last entry.
  std::optional<size_t> sectionLine;
  size_t lastEntry = 0;
  bool written = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (std::optional<std::string_view> name = SectionName(lines[i])) {
      if (sectionLine) break;
      if (EqualIgnoringCase(*name, cleanSection)) {
        sectionLine = i;
        lastEntry = i;
      }
      continue;
    }
    if (!sectionLine) continue;
    if (!Trim(lines[i]).empty()) lastEntry = i;
    std::optional<std::string_view> name = KeyName(lines[i]);
    if (name && EqualIgnoringCase(*name, cleanKey)) {
      lines[i] = std::string(*name) + "=" + cleanValue;
      written = true;
      break;
    }
  }
  std::string entry = cleanKey + "=" + cleanValue;
  if (written) {
    // The key kept its line.
  } else if (sectionLine) {
    lines.insert(lines.begin() + static_cast<ptrdiff_t>(lastEntry) + 1, entry);
  } else {
    if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
    lines.push_back("[" + cleanSection + "]");
    lines.push_back(entry);
  }
  std::string result;
  for (const std::string& line : lines) result += line + lineEnd;
  return result;
}

}  // namespace quorl::platform
