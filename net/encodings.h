// The text forms that web requests use: percent escapes, blanks as plus
// signs and base64. Pure functions; no result ever holds a NUL byte.
#pragma once

#include <string>
#include <string_view>

namespace quorl {

// Each character of the URL-reserved set becomes "%" and two upper-case hex digits.
std::string EscapeText(std::string_view text);
// Each "%" and the two characters after it become one byte, with no check of
// validity: a "%" at the very end gives 0xD0, and a decoded byte 0 ends the result.
std::string UnescapeText(std::string_view text);
std::string SpaceToPlus(std::string_view text);
std::string PlusToSpace(std::string_view text);
std::string EncodeBase64(std::string_view text);
// Characters outside the alphabet ("=", blanks, line breaks) count as zero
// and keep their place; the result ends at the first decoded byte 0.
std::string DecodeBase64(std::string_view text);

}  // namespace quorl
