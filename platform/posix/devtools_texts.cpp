#include "platform/posix/devtools_texts.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace quorl::platform {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// Reads the JSON the endpoint sends: objects whose string members are kept
// by name, everything else read over.
class JsonReader {
 public:
  explicit JsonReader(std::string_view text) : text_(text) {}

  std::optional<std::vector<DevToolsTarget>> Targets() {
    std::vector<DevToolsTarget> targets;
    Blanks();
    if (Take('[')) {
      if (!Take(']')) {
        do {
          if (!Object(targets.emplace_back())) return std::nullopt;
        } while (Take(','));
        if (!Take(']')) return std::nullopt;
      }
    } else if (!Object(targets.emplace_back())) {
      return std::nullopt;
    }
    return AtEnd() ? std::optional(std::move(targets)) : std::nullopt;
  }

 private:
  bool AtEnd() {
    Blanks();
    return at_ == text_.size();
  }
  void Blanks() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
  }
  bool Take(char c) {
    Blanks();
    if (at_ >= text_.size() || text_[at_] != c) return false;
    ++at_;
    return true;
  }

  bool Object(DevToolsTarget& target) {
    if (!Take('{')) return false;
    if (Take('}')) return true;
    do {
      std::optional<std::string> name = String();
      if (!name || !Take(':')) return false;
      Blanks();
      std::string* field = *name == "id"      ? &target.id
                           : *name == "type"  ? &target.type
                           : *name == "title" ? &target.title
                           : *name == "url"   ? &target.url
                                              : nullptr;
      if (field && at_ < text_.size() && text_[at_] == '"') {
        std::optional<std::string> value = String();
        if (!value) return false;
        *field = std::move(*value);
      } else if (!SkipValue(0)) {
        return false;
      }
    } while (Take(','));
    return Take('}');
  }

  bool SkipValue(int depth) {
    if (depth > 64) return false;
    Blanks();
    if (at_ >= text_.size()) return false;
    const char open = text_[at_];
    if (open == '"') return String().has_value();
    if (open == '{' || open == '[') {
      const char close = open == '{' ? '}' : ']';
      ++at_;
      if (Take(close)) return true;
      do {
        if (open == '{' && (!String() || !Take(':'))) return false;
        if (!SkipValue(depth + 1)) return false;
      } while (Take(','));
      return Take(close);
    }
    // A number, true, false or null.
    const size_t start = at_;
    while (at_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[at_])) ||
                                  text_[at_] == '-' || text_[at_] == '+' || text_[at_] == '.')) {
      ++at_;
    }
    return at_ > start;
  }

  std::optional<std::string> String() {
    if (!Take('"')) return std::nullopt;
    std::string text;
    while (at_ < text_.size()) {
      const char c = text_[at_++];
      if (c == '"') return text;
      if (c != '\\') {
        text += c;
        continue;
      }
      if (at_ >= text_.size()) break;
      const char escaped = text_[at_++];
      switch (escaped) {
        case 'b':
          text += '\b';
          break;
        case 'f':
          text += '\f';
          break;
        case 'n':
          text += '\n';
          break;
        case 'r':
          text += '\r';
          break;
        case 't':
          text += '\t';
          break;
        case 'u': {
          std::optional<uint32_t> code = CodeUnit();
          if (!code) return std::nullopt;
          // A high surrogate followed by a low one is one character.
          if (*code >= 0xD800 && *code < 0xDC00 && text_.substr(at_, 2) == "\\u") {
            at_ += 2;
            std::optional<uint32_t> low = CodeUnit();
            if (!low) return std::nullopt;
            *code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
          }
          AppendUtf8(text, *code);
          break;
        }
        default:
          text += escaped;  // \" \\ \/
      }
    }
    return std::nullopt;
  }

  std::optional<uint32_t> CodeUnit() {
    if (at_ + 4 > text_.size()) return std::nullopt;
    uint32_t code = 0;
    for (int i = 0; i < 4; ++i) {
      const int digit = HexValue(text_[at_++]);
      if (digit < 0) return std::nullopt;
      code = code * 16 + static_cast<uint32_t>(digit);
    }
    return code;
  }

  static void AppendUtf8(std::string& text, uint32_t code) {
    if (code < 0x80) {
      text += static_cast<char>(code);
    } else if (code < 0x800) {
      text += static_cast<char>(0xC0 | (code >> 6));
      text += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      text += static_cast<char>(0xE0 | (code >> 12));
      text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      text += static_cast<char>(0xF0 | (code >> 18));
      text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  std::string_view text_;
  size_t at_ = 0;
};

// A form-encoded piece with "+" as a blank and %XX escapes undone.
std::string DecodeFormPiece(std::string_view piece) {
  std::string text;
  for (size_t i = 0; i < piece.size(); ++i) {
    if (piece[i] == '+') {
      text += ' ';
    } else if (piece[i] == '%' && i + 2 < piece.size() && HexValue(piece[i + 1]) >= 0 &&
               HexValue(piece[i + 2]) >= 0) {
      text += static_cast<char>(HexValue(piece[i + 1]) * 16 + HexValue(piece[i + 2]));
      i += 2;
    } else {
      text += piece[i];
    }
  }
  return text;
}

// The character references the link writes and reads. The endpoint sends
// titles with the first five; the page writes line breaks as references,
// since its parser would fold a raw CR LF into LF.
constexpr std::pair<std::string_view, char> kReferences[] = {
    {"&amp;", '&'}, {"&quot;", '"'}, {"&#39;", '\''}, {"&lt;", '<'},
    {"&gt;", '>'},  {"&#13;", '\r'}, {"&#10;", '\n'}};

// Text for a double-quoted attribute.
std::string HtmlAttribute(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    const auto* found =
        std::ranges::find(kReferences, c, &std::pair<std::string_view, char>::second);
    if (found != std::end(kReferences)) {
      escaped += found->first;
    } else {
      escaped += c;
    }
  }
  return escaped;
}

// A title as the page has it; one pass undoes the endpoint's escaping.
std::string UnescapeTitle(std::string_view title) {
  std::string text;
  for (size_t i = 0; i < title.size(); ++i) {
    const auto* found = std::ranges::find_if(kReferences, [&](const auto& reference) {
      return title.substr(i, reference.first.size()) == reference.first;
    });
    if (found != std::end(kReferences)) {
      text += found->second;
      i += found->first.size() - 1;
    } else {
      text += title[i];
    }
  }
  return text;
}

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + "\"";
}

}  // namespace

std::optional<OpenUrlItem> ParseOpenUrlItem(std::string_view item) {
  constexpr std::string_view kMiddle = "\",,-1,0,\"";
  constexpr std::string_view kEnd = "\",,";
  if (!item.starts_with('"') || !item.ends_with(kEnd)) return std::nullopt;
  const size_t middle = item.find(kMiddle);
  if (middle == std::string_view::npos || middle + kMiddle.size() > item.size() - kEnd.size()) {
    return std::nullopt;
  }
  const size_t postStart = middle + kMiddle.size();
  return OpenUrlItem{std::string(item.substr(1, middle - 1)),
                     std::string(item.substr(postStart, item.size() - kEnd.size() - postStart))};
}

std::optional<std::vector<DevToolsTarget>> ParseTargets(std::string_view json) {
  std::optional<std::vector<DevToolsTarget>> targets = JsonReader(json).Targets();
  if (targets) {
    for (DevToolsTarget& target : *targets) target.title = UnescapeTitle(target.title);
  }
  return targets;
}

std::string EscapeForQuery(std::string_view url) {
  constexpr std::string_view kKept = "-._~:/?=&;,@!$'()*+[]";
  std::string escaped;
  for (char c : url) {
    if (std::isalnum(static_cast<unsigned char>(c)) || kKept.find(c) != std::string_view::npos) {
      escaped += c;
    } else {
      const auto byte = static_cast<unsigned char>(c);
      escaped += '%';
      escaped += kHexDigits[byte >> 4];
      escaped += kHexDigits[byte & 0xF];
    }
  }
  return escaped;
}

std::string WindowInfoAnswer(const DevToolsTarget& page) {
  return Quoted(page.url) + "," + Quoted(page.title);
}

std::string PostingPage(std::string_view url, std::string_view postText) {
  // The form's own submit(), since a field named "submit" hides the method.
  std::string page =
      "<!DOCTYPE html>\n<html><head><meta charset=\"windows-1252\"><title>Quorl</title></head>\n"
      "<body onload=\"HTMLFormElement.prototype.submit.call(document.forms[0])\">\n"
      "<form method=\"post\" action=\"" +
      HtmlAttribute(url) + "\">\n";
  size_t start = 0;
  while (start <= postText.size()) {
    size_t end = postText.find('&', start);
    if (end == std::string_view::npos) end = postText.size();
    const std::string_view piece = postText.substr(start, end - start);
    if (!piece.empty()) {
      const size_t equals = piece.find('=');
      const std::string_view name = piece.substr(0, equals);
      const std::string_view value =
          equals == std::string_view::npos ? std::string_view() : piece.substr(equals + 1);
      page += "<input type=\"hidden\" name=\"" + HtmlAttribute(DecodeFormPiece(name)) +
              "\" value=\"" + HtmlAttribute(DecodeFormPiece(value)) + "\">\n";
    }
    start = end + 1;
  }
  return page + "</form></body></html>\n";
}

}  // namespace quorl::platform
