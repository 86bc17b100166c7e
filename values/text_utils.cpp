#include "values/text_utils.h"

#include <cctype>

namespace quorl {
namespace {

bool MatchesAt(std::string_view text, size_t i, std::string_view word) {
  return text.compare(i, word.size(), word) == 0;
}

}  // namespace

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

int IndexOfChar(std::string_view text, char c) {
  size_t i = text.find(c);
  return i == std::string_view::npos ? -1 : static_cast<int>(i);
}

size_t PropertyMark(std::string_view name) {
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '.' || name[i] == '!') return i;
  }
  return std::string_view::npos;
}

void StripLineEnd(std::string& text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  if (!text.empty() && text.back() == '\r') text.pop_back();
}

void TrimBlanks(std::string& text) {
  // Plain loops: this runs for every piece of every line.
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  size_t end = text.size();
  while (end > 0 && isBlank(text[end - 1])) --end;
  size_t begin = 0;
  while (begin < end && isBlank(text[begin])) ++begin;
  text.resize(end);
  text.erase(0, begin);
}

void NormalizeToken(std::string& text) {
  StripLineEnd(text);
  if (!text.empty() && text.back() == '$') text.pop_back();
  TrimBlanks(text);
}

std::string Normalized(std::string_view text) {
  std::string copy(text);
  NormalizeToken(copy);
  return copy;
}

void StripComment(std::string& line) {
  bool inString = false;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') inString = !inString;
    if (inString) continue;
    if (line[i] == '\'' || (i == 0 && MatchesAt(line, 0, "REM ")) ||
        (i > 0 && MatchesAt(line, i, " REM "))) {
      line.resize(i);
      return;
    }
  }
}

void UpperOutsideQuotes(std::string& line) {
  bool inString = false;
  for (char& c : line) {
    if (c == '"') inString = !inString;
    if (!inString) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
}

void StripOuterParens(std::string& text, ErrorReporter& errors) {
  if (text.empty()) return;
  bool opens = text.front() == '(';
  bool closes = text.back() == ')';
  if (opens && closes && text.size() >= 2) {
    text = text.substr(1, text.size() - 2);
  } else if (opens || closes) {
    errors.RaiseScriptError("MISMATCHED PARENTHESIS");
  }
}

std::optional<std::string> FirstWord(std::string_view text) {
  size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  return Normalized(text.substr(0, blank));
}

bool IsStringLiteral(std::string_view text) {
  if (text.empty() || text.front() != '"' || text.back() != '"') return false;
  for (size_t i = 1; i + 1 < text.size(); ++i) {
    if (text[i] != '"') continue;
    if (text[i + 1] != '"') return false;
    ++i;
  }
  return true;
}

int FindKeyword(std::string_view text, std::string_view word) {
  if (word.size() > text.size()) return -1;
  bool inString = false;
  for (size_t i = 0; i + word.size() <= text.size(); ++i) {
    if (text[i] == '"') inString = !inString;
    if (inString || !MatchesAt(text, i, word)) continue;
    size_t end = i + word.size();
    if (end == text.size() || text.find_first_of(kKeywordSeparators, i) == end) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int FindOutsideQuotes(std::string_view text, std::string_view word) {
  bool inString = false;
  for (size_t i = 0; i + word.size() < text.size(); ++i) {
    if (text[i] == '"') inString = !inString;
    if (!inString && MatchesAt(text, i, word)) return static_cast<int>(i);
  }
  return -1;
}

int FindText(std::string_view text, std::string_view word) {
  for (size_t i = 0; i + word.size() < text.size(); ++i) {
    if (MatchesAt(text, i, word)) return static_cast<int>(i);
  }
  return static_cast<int>(text.size());
}

int ClosingParenEnd(std::string_view text) {
  bool inString = false;
  int depth = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') inString = !inString;
    if (inString) continue;
    if (c == '(') {
      ++depth;
    } else if (c == ')') {
      if (depth-- == 1) return static_cast<int>(i + 1);
    }
  }
  return -1;
}

int SplitParenthesised(std::string& inside, std::string& rest, std::string_view text,
                       ErrorReporter& errors) {
  if (text.empty()) {
    errors.RaiseScriptError("MISMATCHED PARENS!");
    return 1;
  }
  // The first character stands for the opening parenthesis; when it is a
  // quote, the scan starts inside that literal.
  bool inString = text.front() == '"';
  int depth = 1;
  for (size_t k = 1; k < text.size(); ++k) {
    char c = text[k];
    if (c == '"') inString = !inString;
    if (inString) continue;
    if (c == '(') {
      ++depth;
    } else if (c == ')' && --depth == 0) {
      inside =
          text.front() == '(' ? std::string(text.substr(1, k - 1)) : std::string(text.substr(0, k));
      rest = std::string(text.substr(k + 1));
      return static_cast<int>(k);
    }
  }
  errors.RaiseScriptError("MISMATCHED PARENS!");
  return 1;
}

}  // namespace quorl
