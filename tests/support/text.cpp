#include "text.h"

#include <windows.h>

#include <cstdio>

std::wstring decoded(unsigned cp, const std::string& s) {
  const int n = MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}
std::string encoded(unsigned cp, const std::wstring& w) {
  const int n = WideCharToMultiByte(cp, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(n, '\0');
  WideCharToMultiByte(cp, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

std::wstring wide(const char8_t* utf8) { return decoded(CP_UTF8, reinterpret_cast<const char*>(utf8)); }
std::u16string utf16(const char8_t* utf8) {
  const std::wstring w = wide(utf8);
  return std::u16string(w.begin(), w.end());
}
std::string sjis(const char8_t* utf8) { return encoded(932, wide(utf8)); }
std::string ansi(const std::wstring& text) { return encoded(CP_ACP, text); }
std::string utf8_of_sjis(const std::string& s) { return encoded(CP_UTF8, decoded(932, s)); }
