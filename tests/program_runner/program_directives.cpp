#include "tests/program_runner/program_directives.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <set>
#include <sstream>

namespace quorl::program_tests {
namespace {

std::string_view Trim(std::string_view text) {
  const size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

struct Directive {
  std::string keyword;  // lower case
  bool hasColon = false;
  std::string text;  // after the colon and its one separating blank
};

// Reads a whole-line comment of the form `' keyword: text` or `' keyword`;
// nothing for code lines and for comments that start with anything else.
std::optional<Directive> ReadDirective(std::string_view line) {
  line.remove_prefix(std::min(line.size(), line.find_first_not_of(" \t")));
  if (line.empty() || line.front() != '\'') return std::nullopt;
  line.remove_prefix(1);
  line.remove_prefix(std::min(line.size(), line.find_first_not_of(" \t")));
  size_t end = 0;
  while (end < line.size() &&
         (std::isalnum(static_cast<unsigned char>(line[end])) || line[end] == '-')) {
    ++end;
  }
  Directive directive;
  directive.keyword = line.substr(0, end);
  std::transform(directive.keyword.begin(), directive.keyword.end(), directive.keyword.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  directive.hasColon = end < line.size() && line[end] == ':';
  if (!directive.hasColon) {
    if (!Trim(line.substr(end)).empty())
      return std::nullopt;  // a sentence that starts with a keyword
    return directive;
  }
  std::string_view text = line.substr(end + 1);
  if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  directive.text = text;
  return directive;
}

}  // namespace

ProgramDirectives ParseDirectives(std::string_view programText) {
  static const std::set<std::string> kKeywords = {
      "args", "program-args", "stdin", "expect", "expect-desktop", "exit", "env"};
  ProgramDirectives result;
  bool inputEnded = false;
  bool exitSeen = false;
  int lineNumber = 0;
  auto fail = [&](const std::string& message) {
    result.errors.push_back("line " + std::to_string(lineNumber) + ": " + message);
  };
  while (!programText.empty()) {
    const size_t lineEnd = programText.find('\n');
    std::string_view line = programText.substr(0, lineEnd);
    programText.remove_prefix(lineEnd == std::string_view::npos ? programText.size() : lineEnd + 1);
    // Program files may end their lines in CR LF; the CR is no part of the text.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::optional<Directive> directive = ReadDirective(line);
    if (++lineNumber == 1 || !directive) continue;  // the header line is never a directive
    const std::string& keyword = directive->keyword;
    const std::string& text = directive->text;
    if (keyword == "stdin-eof") {
      if (directive->hasColon) {
        fail("stdin-eof takes no text");
      } else {
        inputEnded = true;
      }
    } else if (!kKeywords.count(keyword)) {
      continue;  // an ordinary comment
    } else if (!directive->hasColon) {
      fail("'" + keyword + "' needs a colon");
    } else if (keyword == "args" || keyword == "program-args") {
      std::istringstream words(text);
      for (std::string word; words >> word;) {
        (keyword == "args" ? result.options : result.programArguments).push_back(word);
      }
    } else if (keyword == "stdin") {
      if (inputEnded) fail("stdin after stdin-eof");
      if (!inputEnded) result.standardInput += text + "\n";
    } else if (keyword == "expect") {
      result.expectedOutput += text + "\n";
    } else if (keyword == "expect-desktop") {
      result.desktopExpectedOutput = result.desktopExpectedOutput.value_or("") + text + "\n";
    } else if (keyword == "exit") {
      const std::string_view number = Trim(text);
      int code = -1;
      auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), code);
      if (exitSeen) {
        fail("exit given twice");
      } else if (number.empty() || error != std::errc() || end != number.data() + number.size() ||
                 code < 0 || code > 255) {
        fail("exit needs a number from 0 to 255, not '" + std::string(number) + "'");
      } else {
        result.expectedExitCode = code;
      }
      exitSeen = true;
    } else {
      const size_t equals = text.find('=');
      const std::string name = text.substr(0, equals == std::string::npos ? 0 : equals);
      if (name.empty() || name.find_first_of(" \t") != std::string::npos) {
        fail("env needs NAME=VALUE, not '" + text + "'");
      } else if (!result.environment.emplace(name, text.substr(equals + 1)).second) {
        fail("env sets " + name + " twice");
      }
    }
  }
  return result;
}

}  // namespace quorl::program_tests
