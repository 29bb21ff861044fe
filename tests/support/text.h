// Test helpers for writing Shift_JIS and UTF-16 text as readable UTF-8
// literals: sjis(u8"メA") gives the bytes 83 81 41.
#ifndef LORIMAX_TESTS_TEXT_H
#define LORIMAX_TESTS_TEXT_H

#include <string>

std::string sjis(const char8_t* utf8);
std::u16string utf16(const char8_t* utf8);
std::wstring wide(const char8_t* utf8);
// Bytes in a code page and UTF-16, either way.
std::wstring decoded(unsigned code_page, const std::string& bytes);
std::string encoded(unsigned code_page, const std::wstring& text);
// The text in the ANSI code page.
std::string ansi(const std::wstring& text);
// Readable forms for failure messages.
std::string utf8_of_sjis(const std::string& sjis_bytes);
inline std::string hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

#endif
