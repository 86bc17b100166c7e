#include "tests/program_runner/program_directives.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

namespace quorl::program_tests {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string> SplitWords(std::string_view text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    size_t start = i;
    while (i < text.size() && !IsBlank(text[i])) ++i;
    if (i > start) words.emplace_back(text.substr(start, i - start));
  }
  return words;
}

std::string Lowercase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

struct Directive {
  std::string keyword;  // lower case
  bool hasColon = false;
  std::string_view text;  // after the colon and its one separating blank
};

// Reads a whole-line comment of the form `' keyword: text` or `' keyword`;
// nothing for code lines and for comments that start with anything else.
std::optional<Directive> ReadDirective(std::string_view line) {
  size_t i = 0;
  while (i < line.size() && IsBlank(line[i])) ++i;
  if (i == line.size() || line[i] != '\'') return std::nullopt;
  ++i;
  while (i < line.size() && IsBlank(line[i])) ++i;
  size_t start = i;
  while (i < line.size() && (std::isalnum(static_cast<unsigned char>(line[i])) || line[i] == '-')) {
    ++i;
  }
  Directive directive;
  directive.keyword = Lowercase(line.substr(start, i - start));
  if (i < line.size() && line[i] == ':') {
    directive.hasColon = true;
    ++i;
    if (i < line.size() && line[i] == ' ') ++i;
    directive.text = line.substr(i);
  } else if (!TrimBlanks(line.substr(i)).empty()) {
    return std::nullopt;  // a sentence that merely starts with a keyword
  }
  return directive;
}

class DirectiveParser {
 public:
  explicit DirectiveParser(ProgramDirectives& result) : result_(result) {}

  void Apply(int lineNumber, const Directive& directive) {
    lineNumber_ = lineNumber;
    const std::string& keyword = directive.keyword;
    if (keyword == "stdin-eof") {
      if (directive.hasColon) return Fail("stdin-eof takes no text");
      inputEnded_ = true;
      return;
    }
    bool known = keyword == "args" || keyword == "program-args" || keyword == "stdin" ||
                 keyword == "expect" || keyword == "expect-desktop" || keyword == "exit" ||
                 keyword == "env";
    if (!known) return;  // an ordinary comment
    if (!directive.hasColon) return Fail("'" + keyword + "' needs a colon");
    if (keyword == "args") return Append(result_.options, SplitWords(directive.text));
    if (keyword == "program-args") {
      return Append(result_.programArguments, SplitWords(directive.text));
    }
    if (keyword == "stdin") return AddInputLine(directive.text);
    if (keyword == "expect") return AddOutputLine(result_.expectedOutput, directive.text);
    if (keyword == "expect-desktop") {
      if (!result_.desktopExpectedOutput) result_.desktopExpectedOutput.emplace();
      return AddOutputLine(*result_.desktopExpectedOutput, directive.text);
    }
    if (keyword == "exit") return SetExitCode(directive.text);
    SetEnvironment(directive.text);
  }

 private:
  static void Append(std::vector<std::string>& to, std::vector<std::string> words) {
    to.insert(to.end(), words.begin(), words.end());
  }

  void AddInputLine(std::string_view text) {
    if (inputEnded_) return Fail("stdin after stdin-eof");
    result_.standardInput.append(text).push_back('\n');
  }

  static void AddOutputLine(std::string& output, std::string_view text) {
    output.append(text).push_back('\n');
  }

  void SetExitCode(std::string_view text) {
    if (exitSeen_) return Fail("exit given twice");
    exitSeen_ = true;
    text = TrimBlanks(text);
    int code = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || code < 0 ||
        code > 255) {
      return Fail("exit needs a number from 0 to 255, not '" + std::string(text) + "'");
    }
    result_.expectedExitCode = code;
  }

  void SetEnvironment(std::string_view text) {
    size_t equals = text.find('=');
    std::string_view name = equals == std::string_view::npos ? "" : text.substr(0, equals);
    if (name.empty() || name.find_first_of(" \t") != std::string_view::npos) {
      return Fail("env needs NAME=VALUE, not '" + std::string(text) + "'");
    }
    if (!result_.environment.emplace(name, text.substr(equals + 1)).second) {
      Fail("env sets " + std::string(name) + " twice");
    }
  }

  void Fail(const std::string& message) {
    result_.errors.push_back("line " + std::to_string(lineNumber_) + ": " + message);
  }

  ProgramDirectives& result_;
  int lineNumber_ = 0;
  bool inputEnded_ = false;
  bool exitSeen_ = false;
};

}  // namespace

ProgramDirectives ParseDirectives(std::string_view programText) {
  ProgramDirectives result;
  DirectiveParser parser(result);
  int lineNumber = 0;
  while (!programText.empty()) {
    size_t end = programText.find('\n');
    std::string_view line = programText.substr(0, end);
    programText.remove_prefix(end == std::string_view::npos ? programText.size() : end + 1);
    ++lineNumber;
    // Program files may end their lines in CR LF; the CR is no part of the text.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (lineNumber == 1) continue;  // the header line, never a directive
    if (auto directive = ReadDirective(line)) parser.Apply(lineNumber, *directive);
  }
  return result;
}

}  // namespace quorl::program_tests
