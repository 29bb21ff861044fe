// The reference's examples as data (exports/examples.txt): for each export,
// the calls of its example with what the library gave, read by the reference
// generator, which shows them, and by the program that runs them under Wine
// and writes the results back (tools/run_examples.cpp).
//
// The file, UTF-8, line by line:
//   == Name                  starts the example of an export
//   // ...                   a comment, not shown
//   no failure example: why  for an export that can fail, but not in an example
//   file "path" [enc] "text" a file the example reads, written before it runs
//                            (enc: cp932, the default, utf8, utf8bom, utf16le)
//   [#var =] [!] Export arg... [| note...] → result
// A call: its arguments are integers, texts in double quotes (\\ \" \n \r \t;
// \xHH a raw byte, in file texts only) or #var, an integer result kept by an
// earlier call of the example. ! marks the failure example. The notes: utf8
// (the narrow result is UTF-8), and what a result varies with, which the
// reference then names instead of a value: handle, clock, system, editor,
// engine (the engine's version).
// The result, written by the runner: an integer, a quoted text, or ~ for a
// result that varies; then, when the call had the editor run macro text,
// editor "text".
#ifndef LORIMAX_TOOLS_EXAMPLES_H
#define LORIMAX_TOOLS_EXAMPLES_H

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace lmx::examples {

inline constexpr std::string_view kArrow = "\xE2\x86\x92";  // →

// Part of a decoded text: literal UTF-8, or raw bytes from \xHH.
struct Piece {
  bool raw;
  std::string bytes;
};
using Text = std::vector<Piece>;

inline std::string joined(const Text& t) {
  std::string s;
  for (const auto& p : t) s += p.bytes;
  return s;
}
inline bool has_raw(const Text& t) {
  for (const auto& p : t)
    if (p.raw) return true;
  return false;
}

struct Arg {
  enum Kind { integer, string, variable } kind;
  std::string source;  // as written
  intptr_t number = 0;
  Text text;
};

struct Result {
  enum Kind { none, integer, string, varies } kind = none;
  intptr_t number = 0;
  std::string text;    // UTF-8, raw bytes as they were
  bool editor = false;
  std::string editor_text;
};

struct Call {
  std::string variable;  // "#h", or empty
  bool failure = false;
  std::string name;
  std::vector<Arg> args;
  std::vector<std::string> notes;
  std::string head;    // the line up to the arrow, as written
  std::string result_source;
  Result result;
  bool has(std::string_view note) const {
    for (const auto& n : notes)
      if (n == note) return true;
    return false;
  }
};

struct File {
  std::string path_source, content_source, encoding = "cp932";
  Text path, content;
};

struct Step {
  bool is_call;
  Call call;
  File file;
  std::size_t line;  // index into Examples::lines
};

struct Entry {
  std::string name;
  std::size_t line;
  std::vector<Step> steps;
  std::string no_failure;  // why there is no failure example
};

struct Examples {
  std::vector<std::string> lines;
  std::vector<Entry> entries;
  std::vector<std::string> faults;  // "line N: what"
};

namespace detail {

inline int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a quoted text at s[i] (the opening quote); i ends past the closing one.
inline bool read_quoted(std::string_view s, std::size_t& i, Text& out) {
  auto put = [&](bool raw, char c) {
    if (out.empty() || out.back().raw != raw) out.push_back({raw, {}});
    out.back().bytes += c;
  };
  for (++i; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"') return ++i, true;
    if (c != '\\' || i + 1 == s.size()) {
      put(false, c);
      continue;
    }
    const char e = s[++i];
    if (e == 'x' && i + 2 < s.size() && hex_digit(s[i + 1]) >= 0 && hex_digit(s[i + 2]) >= 0) {
      put(true, static_cast<char>(hex_digit(s[i + 1]) * 16 + hex_digit(s[i + 2])));
      i += 2;
      continue;
    }
    switch (e) {
      case 'n': put(false, '\n'); break;
      case 'r': put(false, '\r'); break;
      case 't': put(false, '\t'); break;
      case '\\':
      case '"': put(false, e); break;
      default: return false;
    }
  }
  return false;
}

inline void skip_blanks(std::string_view s, std::size_t& i) {
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
}

// The next word or quoted text; its source in `source`.
inline bool next_token(std::string_view s, std::size_t& i, std::string& source, Text* text, bool& quoted) {
  skip_blanks(s, i);
  if (i == s.size()) return false;
  const std::size_t start = i;
  quoted = s[i] == '"';
  if (quoted) {
    Text t;
    if (!read_quoted(s, i, t)) return false;
    if (text) *text = t;
  } else {
    while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
  }
  source.assign(s.substr(start, i - start));
  return true;
}

// Where the arrow is, outside quotes; npos when there is none.
inline std::size_t arrow_at(std::string_view s) {
  bool quoted = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (quoted && s[i] == '\\') {
      ++i;
      continue;
    }
    if (s[i] == '"') quoted = !quoted;
    if (!quoted && s.substr(i, kArrow.size()) == kArrow) return i;
  }
  return std::string_view::npos;
}

inline bool parse_number(const std::string& s, intptr_t& v) {
  if (s.empty()) return false;
  char* end = nullptr;
  v = static_cast<intptr_t>(std::strtoll(s.c_str(), &end, 10));
  return *end == 0 && (s[0] == '-' || (s[0] >= '0' && s[0] <= '9'));
}

inline bool parse_result(std::string_view s, Result& r) {
  std::size_t i = 0;
  std::string source;
  Text text;
  bool quoted = false;
  if (!next_token(s, i, source, &text, quoted)) return false;
  if (quoted) {
    r.kind = Result::string;
    r.text = joined(text);
  } else if (source == "~") {
    r.kind = Result::varies;
  } else if (parse_number(source, r.number)) {
    r.kind = Result::integer;
  } else {
    return false;
  }
  if (!next_token(s, i, source, nullptr, quoted)) return true;
  if (source != "editor" || !next_token(s, i, source, &text, quoted) || !quoted) return false;
  r.editor = true;
  r.editor_text = joined(text);
  skip_blanks(s, i);
  return i == s.size();
}

inline bool parse_call(std::string_view line, Call& c, std::string& fault) {
  const std::size_t arrow = arrow_at(line);
  std::string_view head = line.substr(0, arrow);
  while (!head.empty() && (head.back() == ' ' || head.back() == '\t')) head.remove_suffix(1);
  c.head.assign(head);
  std::size_t i = 0;
  std::string token;
  bool quoted = false;
  std::vector<std::pair<std::string, Text>> words;
  std::vector<bool> quotes;
  for (Text t; next_token(head, i, token, &t, quoted); t.clear()) {
    words.push_back({token, t});
    quotes.push_back(quoted);
  }
  skip_blanks(head, i);
  if (i != head.size()) return fault = "a text without its closing quote, or an escape not known", false;
  std::size_t w = 0;
  if (words.size() >= 2 && words[0].first[0] == '#' && words[1].first == "=") {
    c.variable = words[0].first;
    w = 2;
  }
  if (w < words.size() && words[w].first == "!") c.failure = true, ++w;
  if (w == words.size()) return fault = "no export named", false;
  c.name = words[w++].first;
  for (; w < words.size() && words[w].first != "|"; ++w) {
    Arg a{Arg::integer, words[w].first, 0, {}};
    if (quotes[w]) {
      a.kind = Arg::string;
      a.text = words[w].second;
    } else if (a.source.size() > 1 && a.source[0] == '#') {
      a.kind = Arg::variable;
    } else if (!parse_number(a.source, a.number)) {
      return fault = "not an argument: " + a.source, false;
    }
    c.args.push_back(a);
  }
  for (++w; w < words.size(); ++w) c.notes.push_back(words[w].first);
  if (arrow != std::string_view::npos) {
    c.result_source.assign(line.substr(arrow + kArrow.size()));
    c.result_source.erase(0, c.result_source.find_first_not_of(" \t"));
    if (!parse_result(c.result_source, c.result)) return fault = "a result that cannot be read: " + c.result_source, false;
  }
  return true;
}

inline bool parse_file(std::string_view line, File& f, std::string& fault) {
  std::size_t i = 4;  // past "file"
  std::string token;
  bool quoted = false;
  if (!next_token(line, i, f.path_source, &f.path, quoted) || !quoted) return fault = "a file without its path", false;
  if (!next_token(line, i, token, &f.content, quoted)) return fault = "a file without its text", false;
  if (!quoted) {
    f.encoding = token;
    if (!next_token(line, i, token, &f.content, quoted) || !quoted) return fault = "a file without its text", false;
  }
  f.content_source = token;
  skip_blanks(line, i);
  if (i != line.size()) return fault = "more than a path, an encoding and a text", false;
  for (const char* known : {"cp932", "utf8", "utf8bom", "utf16le"})
    if (f.encoding == known) return true;
  return fault = "an encoding not known: " + f.encoding, false;
}

}  // namespace detail

inline Examples parse(std::string_view text) {
  Examples x;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    x.lines.push_back(line);
    start = end + 1;
  }
  for (std::size_t n = 0; n < x.lines.size(); ++n) {
    const std::string_view line = x.lines[n];
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line.substr(first, 2) == "//") continue;
    std::string fault;
    if (line.substr(0, 3) == "== ") {
      x.entries.push_back({std::string(line.substr(3)), n, {}, {}});
    } else if (x.entries.empty()) {
      fault = "a line before the first == Name";
    } else if (line.substr(0, 20) == "no failure example: ") {
      x.entries.back().no_failure = line.substr(20);
    } else if (line.substr(0, 5) == "file ") {
      Step s{false, {}, {}, n};
      if (detail::parse_file(line, s.file, fault)) x.entries.back().steps.push_back(s);
    } else {
      Step s{true, {}, {}, n};
      if (detail::parse_call(line, s.call, fault)) x.entries.back().steps.push_back(s);
    }
    if (!fault.empty()) x.faults.push_back("line " + std::to_string(n + 1) + ": " + fault);
  }
  return x;
}

// A text as a quoted literal of the file: the escapes above, and \xHH for
// the other control bytes and, with `raw_high`, for every byte from 0x80.
inline std::string quoted(std::string_view bytes, bool raw_high = false) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\\' || c == '"') out += '\\', out += ch;
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\t') out += "\\t";
    else if (c < 0x20 || c == 0x7F || (raw_high && c >= 0x80)) out += "\\x", out += digits[c >> 4], out += digits[c & 15];
    else out += ch;
  }
  return out + "\"";
}

}  // namespace lmx::examples

#endif
