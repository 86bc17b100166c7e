// Character-level utilities over script texts. The script is never tokenised:
// every stage works on the stored line texts with these scans.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "values/value.h"

namespace quorl {

// A code line, and every piece cut from one, holds at most this many characters.
inline constexpr size_t kMaxTextLength = 255;

// Characters after which a keyword found by FindKeyword counts as a whole word.
inline constexpr std::string_view kKeywordSeparators = "\" =<>/*+-!%()'";

bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
int IndexOfChar(std::string_view text, char c);
// Where a name's property part starts: the first "." or "!", or npos.
size_t PropertyMark(std::string_view name);

// Removes one trailing line feed, then one trailing carriage return.
void StripLineEnd(std::string& text);
// Removes trailing, then leading spaces and tabs.
void TrimBlanks(std::string& text);
// StripLineEnd, then one trailing "$", then TrimBlanks: A$ and A name one thing.
void NormalizeToken(std::string& text);
std::string Normalized(std::string_view text);

// Cuts the line at an apostrophe, " REM " or a leading "REM " outside quotes.
void StripComment(std::string& line);
void UpperOutsideQuotes(std::string& line);
// Removes an enclosing "(" and ")"; exactly one of them is an error.
void StripOuterParens(std::string& text, ErrorReporter& errors);
// The text before the first blank, normalised; none without a blank.
std::optional<std::string> FirstWord(std::string_view text);
bool IsStringLiteral(std::string_view text);

// Searches; -1 when nothing is found unless said otherwise.
int FindKeyword(std::string_view text, std::string_view word);
int FindOutsideQuotes(std::string_view text, std::string_view word);
// No quote handling; the text's length when the word is absent.
int FindText(std::string_view text, std::string_view word);
// Index just after the ")" that closes the first group, or -1.
int ClosingParenEnd(std::string_view text);
// Splits "(inside)rest"; parentheses inside string literals do not count.
// Returns the index of the closing parenthesis, or 1 after "MISMATCHED PARENS!".
int SplitParenthesised(std::string& inside, std::string& rest, std::string_view text,
                       ErrorReporter& errors);

}  // namespace quorl
