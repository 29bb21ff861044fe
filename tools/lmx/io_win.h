// lmx's text in and out on Windows: standard output and error written to a
// console through its wide interface (right in any console code page) and to
// a redirection in the chosen encoding; script and macro files read in
// theirs; the conversions to and from code page 932 and UTF-16.
#ifndef LORIMAX_TOOLS_LMX_IO_WIN_H
#define LORIMAX_TOOLS_LMX_IO_WIN_H

#include <cstddef>
#include <string>
#include <string_view>

namespace lmx::tool {

enum class Encoding : char { utf8, cp932, utf16le, utf16be };
// "utf-8", "cp932", "utf-16le", "utf-16be"; false for any other name.
bool encoding_named(std::string_view name, Encoding& encoding);

// The encoding of redirected output (UTF-8 unless set; UTF-16BE is not offered).
void set_output_encoding(Encoding encoding);
// Text (UTF-8) to standard output or error; bytes as they are (--raw).
void write_out(std::string_view utf8);
void write_err(std::string_view utf8);
void write_out_bytes(std::string_view bytes);
bool stdin_is_console();

std::string to_utf8(std::wstring_view text);
std::wstring to_wide(std::string_view utf8);
std::string cp932_to_utf8(std::string_view bytes);
// The text in code page 932; false when a character has none, which is then
// in `missing` (UTF-8).
bool utf8_to_cp932(std::string_view utf8, std::string& out, std::string& missing);

// A file's bytes as UTF-8 text. Without `forced`, a BOM tells UTF-8 or UTF-16;
// without one, UTF-8 when `utf8_without_bom` and the bytes are valid UTF-8,
// else code page 932. False when the bytes are not valid in the encoding
// chosen, with the first line that is not in `bad_line`.
bool decode_file(const std::string& bytes, const Encoding* forced, bool utf8_without_bom, std::string& text,
                 std::size_t& bad_line, Encoding& used);

}  // namespace lmx::tool

#endif
