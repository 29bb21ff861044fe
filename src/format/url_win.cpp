#include <windows.h>
#include <wininet.h>

#include <cstring>
#include <iterator>
#include <string>

#include "format/format_win.h"
#include "format/url.h"
#include "frame/guarded.h"
#include "frame/result_buffer.h"
#include "frame/text_args.h"

namespace lmx::format {

namespace {

const wchar_t* encode_wide(const wchar_t* text, intptr_t all) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return as_wchar(kEmptyWideResult);
  std::string utf8(static_cast<std::size_t>(n), '\0');
  if (WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), n, nullptr, nullptr) <= 0)
    return as_wchar(kEmptyWideResult);
  utf8.resize(static_cast<std::size_t>(n) - 1);
  auto& narrow = result();
  if (!url::encode_utf8(narrow, utf8, all != 0)) return as_wchar(kEmptyWideResult);
  // The encoded text is plain ASCII; it also stays in the narrow result buffer.
  const std::string_view encoded(narrow.data());
  auto& wide = wide_result();
  wide.clear();
  if (!wide.ensure(encoded.size() + 1, narrow.capacity() + kSlack)) return as_wchar(kEmptyWideResult);
  for (std::size_t i = 0; i < encoded.size(); ++i) wide.data()[i] = static_cast<char16_t>(encoded[i]);
  wide.data()[encoded.size()] = 0;
  return as_wchar(wide.data());
}

}  // namespace

const wchar_t* url_encode_wide(const wchar_t* text, intptr_t all) {
  if (!*text) return as_wchar(kEmptyWideResult);
  return guarded<const wchar_t*>(as_wchar(kEmptyWideResult), [=] { return encode_wide(text, all); });
}

// The options' bits map to the canonicalisation flags. A canonical URL longer
// than the buffer gets a grown buffer (within the cap) instead of a failure.
const char* url_exchange(const char* url, intptr_t options) {
  if (!*url) return kEmptyResult;
  static constexpr DWORD kFlags[] = {ICU_ENCODE_SPACES_ONLY, ICU_BROWSER_MODE, ICU_NO_META, ICU_NO_ENCODE, ICU_DECODE};
  DWORD flags = 0;
  for (std::size_t bit = 0; bit < std::size(kFlags); ++bit)
    if (options & (intptr_t{1} << bit)) flags |= kFlags[bit];
  auto& out = result();
  for (int attempt = 0; attempt < 2; ++attempt) {
    // Wine's ANSI form writes a double-byte result without its terminator:
    // every byte it may write starts as zero, so no earlier result shows.
    if (out.capacity()) std::memset(out.data(), 0, out.capacity());
    DWORD length = static_cast<DWORD>(out.capacity());
    if (InternetCanonicalizeUrlA(url, out.data(), &length, flags)) return out.data();
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || !out.ensure(length + 1, length + kSlack)) break;
  }
  return kEmptyResult;
}

}  // namespace lmx::format
