// What lmx needs of text, with no Windows header (so that it builds and can be
// tested natively): messages in two languages, UTF-8, the integers of its
// command lines and scripts, and the export names nearest to a misspelt one.
#ifndef LORIMAX_TOOLS_LMX_TEXT_H
#define LORIMAX_TOOLS_LMX_TEXT_H

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace lmx::tool {

// A message in Japanese and English, UTF-8.
struct Message {
  std::string ja, en;
};
// `ja` and `en` with {0}, {1}... replaced by the arguments (either language
// may take them in its own order).
Message say(std::string_view ja, std::string_view en, std::initializer_list<std::string_view> args = {});
// The message on one line, the user's UI language first: "ja / en" or "en / ja".
extern bool japanese_first;
std::string both(const Message& m);

// UTF-8: appends a code point; the number of code points of a text.
void append_utf8(std::string& out, char32_t c);
std::size_t utf8_length(std::string_view text);
// The code point at `text[i]`, advancing i past it (a byte that starts no
// valid sequence gives U+FFFD).
char32_t next_code_point(std::string_view text, std::size_t& i);

// An integer as lmx reads one: decimal with an optional sign (a leading zero
// is still decimal), or 0x and hexadecimal digits (up to 64 bits, sign
// allowed). False when malformed or out of range.
bool parse_integer(std::string_view text, intptr_t& value);

// Up to `most` export names nearest to `name` (letter case aside), nearest first;
// none when nothing is near.
std::vector<std::string_view> nearest_exports(std::string_view name, std::size_t most = 3);
// The same as a list "A, B, C", or empty.
std::string nearest_list(std::string_view name);

}  // namespace lmx::tool

#endif
