// The Shift_JIS literal helpers for the native build, through glibc's iconv.
#include <iconv.h>

#include <cstdio>
#include <stdexcept>

#include "../support/text.h"

namespace {
std::string convert(const char* to, const char* from, const std::string& in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open");
  std::string out(in.size() * 4 + 8, '\0');
  char* src = const_cast<char*>(in.data());
  size_t src_left = in.size();
  char* dst = out.data();
  size_t dst_left = out.size();
  const size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) throw std::runtime_error("iconv");
  out.resize(out.size() - dst_left);
  return out;
}
}  // namespace

std::string sjis(const char8_t* utf8) { return convert("CP932", "UTF-8", reinterpret_cast<const char*>(utf8)); }
std::u16string utf16(const char8_t* utf8) {
  const std::string bytes = convert("UTF-16LE", "UTF-8", reinterpret_cast<const char*>(utf8));
  return std::u16string(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2);
}
std::string utf8_of_sjis(const std::string& s) { return convert("UTF-8", "CP932", s); }
