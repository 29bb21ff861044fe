#include "frame/convert.h"

#include <windows.h>

#include "frame/result_buffer.h"
#include "frame/text_args.h"

namespace lmx {

// Both conversions size the output first (the terminator included), grow the
// buffer with no slack and convert with flags 0, so malformed input comes back
// as U+FFFD instead of being refused.
intptr_t set_utf8_result(const wchar_t* text) {
  auto& out = result();
  out.clear();
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0 || !out.ensure_doubled(static_cast<std::size_t>(n))) return 0;
  return WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), static_cast<int>(out.capacity()), nullptr, nullptr) > 0;
}

intptr_t set_utf16_result(const char* utf8) {
  auto& out = wide_result();
  out.clear();
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  if (n <= 0 || !out.ensure_doubled(static_cast<std::size_t>(n))) return 0;
  return MultiByteToWideChar(CP_UTF8, 0, utf8, -1, as_wchar(out.data()), static_cast<int>(out.capacity())) > 0;
}

}  // namespace lmx
