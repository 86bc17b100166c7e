#include "lang/split_point.h"

#include "values/text_utils.h"

namespace quorl {
namespace {

bool At(std::string_view text, size_t i, std::string_view word) {
  return text.compare(i, word.size(), word) == 0;
}

char CharAt(std::string_view text, size_t i) {
  return i < text.size() ? text[i] : '\0';
}

bool IsTwoCharacterComparison(std::string_view text, size_t i) {
  char c = text[i];
  char next = CharAt(text, i + 1);
  return (c == '=' && (next == '>' || next == '<' || next == '=')) ||
         (c == '<' && (next == '=' || next == '>')) || (c == '>' && next == '=') ||
         (c == '!' && next == '=');
}

// Index of the first "(" or ")" outside string literals, or npos.
size_t FirstParenthesis(std::string_view text) {
  bool inString = false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') inString = !inString;
    if (!inString && (text[i] == '(' || text[i] == ')')) return i;
  }
  return std::string_view::npos;
}

// The precedence level of an operator at i; -1 when none starts there.
int OperatorLevel(std::string_view text, size_t i) {
  char next = CharAt(text, i + 1);
  switch (text[i]) {
    case ' ':
      if (At(text, i, " AND ") || At(text, i, " XOR ") || At(text, i, " OR ")) return 10;
      return (i == 3 && StartsWith(text, "NOT ")) ? -1 : 0;
    case '=':
    case '<':
    case '>':
      return IsTwoCharacterComparison(text, i) ? 9 : 8;
    case '!':
      return next == '=' ? 9 : -1;
    case '&':
      return next == ' ' ? 7 : -1;
    case '*':
    case '/':
    case '%':
      return 6;
    case '+':
      return 5;
    case '-':
      return next == ' ' ? 5 : -1;
    default:
      return -1;
  }
}

}  // namespace

bool IsControlMethod(std::string_view text) {
  size_t mark = PropertyMark(text);
  if (mark == std::string_view::npos) return false;
  std::string method = Normalized(text.substr(mark + 1));
  return method == "CLEAR" || method == "LIST" || method == "SELECTED" || method == "REMOVEITEM" ||
         method == "ADDITEM";
}

int FindSplitPoint(std::string_view text, bool statementMode) {
  bool inString = false;
  bool seenParenthesis = false;
  int depth = 0;
  int bestLevel = -1;
  int bestPosition = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') {
      inString = !inString;
    } else if (!inString && (c == '(' || c == ')')) {
      depth += c == '(' ? 1 : -1;
      seenParenthesis = true;
    }
    if (inString || depth != 0) continue;
    if (statementMode && c == '=' && CharAt(text, i + 1) == ' ' && bestLevel == -1 &&
        !seenParenthesis) {
      return static_cast<int>(i);
    }
    int level = OperatorLevel(text, i);
    if (level > bestLevel) {
      bestLevel = level;
      bestPosition = static_cast<int>(i);
    }
  }
  if (bestLevel >= 0) return bestPosition;
  size_t parenthesis = FirstParenthesis(text);
  return static_cast<int>(parenthesis == std::string_view::npos ? text.size() : parenthesis);
}

int OperatorEnd(std::string_view text, bool stopAtParenthesis, bool statementMode) {
  if (StartsWith(text, "\"")) {
    for (size_t i = 1; i < text.size(); ++i) {
      if (text[i] != '"') continue;
      if (CharAt(text, i + 1) != '"') return static_cast<int>(i + 1);
      ++i;  // a doubled quote does not close the literal
    }
    return static_cast<int>(text.size());
  }
  if (StartsWith(text, "(")) return 1;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    char next = CharAt(text, i + 1);
    if (At(text, i, " AND ") || At(text, i, " XOR ")) return static_cast<int>(i + 4);
    if (At(text, i, " OR ")) return static_cast<int>(i + 3);
    if (statementMode && c == '=' && next == ' ') return static_cast<int>(i + 1);
    if (IsTwoCharacterComparison(text, i)) return static_cast<int>(i + 2);
    if (c == '>' || c == '=' || c == '<') return static_cast<int>(i + 1);
    if ((c == '&' && next == ' ') || c == '+' || (c == '-' && next == ' ') || c == '*' ||
        c == '/' || c == '%') {
      return static_cast<int>(i + 1);
    }
  }
  if (!stopAtParenthesis) return static_cast<int>(text.size());
  size_t parenthesis = FirstParenthesis(text);
  return static_cast<int>(parenthesis == std::string_view::npos ? text.size() : parenthesis + 1);
}

// Cuts the operator token and the right part from W at split point s.
void CutOperator(std::string_view w, size_t s, bool statementMode, std::string& op,
                 std::string& right) {
  std::string_view tail = w.substr(std::min(s, w.size()));
  size_t n = static_cast<size_t>(OperatorEnd(tail, true, statementMode));
  op = Normalized(tail.substr(0, n));
  right = Normalized(tail.substr(std::min(n, tail.size())));
}

bool IsLoopOrBlockEnd(std::string_view l) {
  return l == "ELSE" || l == "END IF" || l == "ENDIF" || l == "WEND" || StartsWith(l, "NEXT") ||
         StartsWith(l, "FOR ") || StartsWith(l, "WHILE ");
}

}  // namespace quorl
