#include "tools/lmx/args.h"

namespace lmx::tool {

namespace {

void add_text(Token& token, std::string_view text) {
  if (token.empty() || token.back().kind != Piece::text) token.push_back({Piece::text, {}});
  token.back().utf8 += text;
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The value of `digits` hex digits at text[i], or -1.
long long hex_at(std::string_view text, std::size_t i, std::size_t digits) {
  if (i + digits > text.size()) return -1;
  long long v = 0;
  for (std::size_t k = 0; k < digits; ++k) {
    const int d = hex_digit(text[i + k]);
    if (d < 0) return -1;
    v = v * 16 + d;
  }
  return v;
}

bool is_high(long long u) { return u >= 0xD800 && u <= 0xDBFF; }
bool is_low(long long u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

bool read_escapes(std::string_view text, Token& token, Message& error) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      add_text(token, text.substr(i, 1));
      continue;
    }
    const char e = text[++i];
    const std::size_t digits = e == 'x' ? 2 : e == 'u' ? 4 : e == 'U' ? 8 : 0;
    if (!digits) {
      const char* plain = e == 't' ? "\t" : e == 'n' ? "\n" : e == 'r' ? "\r" : nullptr;
      plain ? add_text(token, plain) : add_text(token, text.substr(i, 1));
      continue;
    }
    long long v = hex_at(text, i + 1, digits);
    const std::string written(text.substr(i - 1, std::min(text.size() - i + 1, digits + 2)));
    if (v < 0 || (e == 'U' && (v > 0x10FFFF || is_high(v) || is_low(v)))) {
      error = say(e == 'x' ? "\\x の後には 16 進 2 桁が要ります: {0}"
                  : e == 'u' ? "\\u の後には 16 進 4 桁が要ります: {0}"
                             : "\\U の後には U+10FFFF までの文字の 16 進 8 桁が要ります: {0}",
                  e == 'x' ? "\\x needs two hex digits: {0}"
                  : e == 'u' ? "\\u needs four hex digits: {0}"
                             : "\\U needs eight hex digits of a character up to U+10FFFF: {0}",
                  {written});
      return false;
    }
    i += digits;
    if (e == 'x') {
      token.push_back({Piece::byte, {}, static_cast<unsigned>(v)});
      continue;
    }
    // A pair written as two \u escapes is one character.
    if (e == 'u' && is_high(v) && text.substr(i + 1, 2) == "\\u" && is_low(hex_at(text, i + 3, 4))) {
      v = 0x10000 + ((v - 0xD800) << 10) + (hex_at(text, i + 3, 4) - 0xDC00);
      i += 6;
    }
    if (is_high(v) || is_low(v)) {
      token.push_back({Piece::unit, {}, static_cast<unsigned>(v)});
      continue;
    }
    std::string c;
    append_utf8(c, static_cast<char32_t>(v));
    add_text(token, c);
  }
  return true;
}

bool split_line(std::string_view line, std::vector<Token>& tokens, Message& error) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && blank(line[i])) ++i;
    if (i == line.size()) return true;
    Token token;
    while (i < line.size() && !blank(line[i])) {
      const char quote = line[i];
      if (quote != '"' && quote != '\'') {
        const std::size_t start = i;
        while (i < line.size() && !blank(line[i]) && line[i] != '"' && line[i] != '\'') ++i;
        add_text(token, line.substr(start, i - start));
        continue;
      }
      std::size_t end = i + 1;
      while (end < line.size() && line[end] != quote) end += quote == '"' && line[end] == '\\' ? 2 : 1;
      if (end >= line.size()) {
        error = say("引用符 {0} が閉じていません", "the quote {0} is not closed", {std::string_view(&line[i], 1)});
        return false;
      }
      const std::string_view inner = line.substr(i + 1, end - i - 1);
      add_text(token, "");  // an empty quoted argument is still an argument
      if (quote == '\'')
        add_text(token, inner);
      else if (!read_escapes(inner, token, error))
        return false;
      i = end + 1;
    }
    tokens.push_back(std::move(token));
  }
}

std::string token_text(const Token& token) {
  std::string s;
  for (const auto& p : token) {
    if (p.kind == Piece::text) s += p.utf8;
    if (p.kind == Piece::byte) s += static_cast<char>(p.value);
  }
  return s;
}

}  // namespace lmx::tool
