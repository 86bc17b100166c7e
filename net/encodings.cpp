#include "net/encodings.h"

#include <algorithm>
#include <cstdint>

namespace quorl {
namespace {

constexpr std::string_view kEscapeSet = "~`!#$%^&()+={}|[]\\:\";'<>?,/";
constexpr std::string_view kBase64Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string CutAtNul(std::string text) {
  if (size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
  return text;
}

// The value of one escape digit as the decoder computes it: no validity
// check, the byte taken as signed, letters upper-cased first.
int EscapeDigitValue(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  const int x = static_cast<int8_t>(c);
  return x >= 'A' ? x - 55 : x - 48;
}

std::string ReplaceByte(std::string_view text, char from, char to) {
  std::string result(text);
  for (char& c : result) {
    if (c == from) c = to;
  }
  return CutAtNul(std::move(result));
}

}  // namespace

std::string EscapeText(std::string_view text) {
  std::string result;
  result.reserve(text.size() * 3);
  for (char c : text) {
    if (c == '\0') break;
    if (kEscapeSet.find(c) != std::string_view::npos) {
      const auto byte = static_cast<unsigned char>(c);
      result += '%';
      result += kHexDigits[byte >> 4];
      result += kHexDigits[byte & 0xF];
    } else {
      result += c;
    }
  }
  return result;
}

std::string UnescapeText(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  auto at = [&](size_t i) { return i < text.size() ? text[i] : '\0'; };
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      result += text[i];
      continue;
    }
    const int value = 16 * EscapeDigitValue(at(i + 1)) + EscapeDigitValue(at(i + 2));
    result += static_cast<char>(((value % 256) + 256) % 256);
    i += 2;
  }
  return CutAtNul(std::move(result));
}

std::string SpaceToPlus(std::string_view text) {
  return ReplaceByte(text, ' ', '+');
}

std::string PlusToSpace(std::string_view text) {
  return ReplaceByte(text, '+', ' ');
}

std::string EncodeBase64(std::string_view text) {
  std::string result;
  result.reserve((text.size() + 2) / 3 * 4);
  for (size_t i = 0; i < text.size(); i += 3) {
    const size_t real = std::min<size_t>(3, text.size() - i);
    uint32_t group = 0;
    for (size_t k = 0; k < 3; ++k) {
      const uint32_t byte = k < real ? static_cast<unsigned char>(text[i + k]) : 0;
      group = (group << 8) | byte;
    }
    for (size_t k = 0; k < 4; ++k) {
      result += k <= real ? kBase64Alphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
  }
  return CutAtNul(std::move(result));
}

std::string DecodeBase64(std::string_view text) {
  std::string result;
  result.reserve(text.size() / 4 * 3 + 3);
  for (size_t i = 0; i < text.size(); i += 4) {
    uint32_t group = 0;
    for (size_t k = 0; k < 4; ++k) {
      uint32_t value = 0;
      if (i + k < text.size()) {
        const size_t index = kBase64Alphabet.find(text[i + k]);
        if (index != std::string_view::npos) value = static_cast<uint32_t>(index);
      }
      group = (group << 6) | value;
    }
    for (int shift = 16; shift >= 0; shift -= 8) {
      const char byte = static_cast<char>((group >> shift) & 0xFF);
      if (byte == '\0') return result;
      result += byte;
    }
  }
  return result;
}

}  // namespace quorl
