// How string arguments cross the interface. A macro host may pass a null
// pointer for a string; every export treats it as the empty string.
#ifndef LORIMAX_FRAME_TEXT_ARGS_H
#define LORIMAX_FRAME_TEXT_ARGS_H

#include <string_view>

namespace lmx {

inline std::string_view narrow_arg(const char* s) { return std::string_view(s ? s : ""); }
inline const char* narrow_cstr(const char* s) { return s ? s : ""; }

// UTF-16 arguments arrive as wchar_t (16 bits on Windows); the portable core
// works on char16_t.
inline std::u16string_view wide_arg(const wchar_t* s) {
  return std::u16string_view(s ? reinterpret_cast<const char16_t*>(s) : u"");
}
inline const wchar_t* wide_cstr(const wchar_t* s) { return s ? s : L""; }
inline const wchar_t* as_wchar(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }
inline wchar_t* as_wchar(char16_t* s) { return reinterpret_cast<wchar_t*>(s); }

}  // namespace lmx

#endif
