// The arguments of a call as written on lmx's command line or in a script
// line: quoting and escapes, with no Windows header. They are converted to
// the export's kinds when the call is made (lmx.cpp).
#ifndef LORIMAX_TOOLS_LMX_ARGS_H
#define LORIMAX_TOOLS_LMX_ARGS_H

#include <string>
#include <string_view>
#include <vector>

#include "tools/lmx/text.h"

namespace lmx::tool {

// A piece of an argument: text (UTF-8), a raw byte written \xHH, or a UTF-16
// code unit that is half of a surrogate pair written alone as \uHHHH.
struct Piece {
  enum Kind : char { text, byte, unit } kind;
  std::string utf8;
  unsigned value = 0;
};
using Token = std::vector<Piece>;

// Reads the backslash escapes of `text` (inside double quotes, or with -e):
// \t \n \r, \xHH a byte (a code unit for W), \uHHHH and \U00HHHHHH a
// character; before any other character a backslash keeps that character.
bool read_escapes(std::string_view text, Token& token, Message& error);

// A script line's tokens: blanks (space, tab) separate; '...' is taken as
// written, "..." reads escapes; quoted and bare parts side by side make one
// token.
bool split_line(std::string_view line, std::vector<Token>& tokens, Message& error);

// An argument's text for a name or an integer: its text, a byte as itself.
std::string token_text(const Token& token);

}  // namespace lmx::tool

#endif
