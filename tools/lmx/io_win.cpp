#include "tools/lmx/io_win.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace lmx::tool {

namespace {

Encoding output_encoding = Encoding::utf8;

bool is_console(HANDLE h) {
  DWORD mode = 0;
  return h != INVALID_HANDLE_VALUE && h != nullptr && GetConsoleMode(h, &mode);
}

// One standard stream: a console gets UTF-16 through WriteConsoleW, anything
// else the bytes of the output encoding.
void write_text(DWORD which, std::FILE* stream, std::string_view utf8) {
  const HANDLE h = GetStdHandle(which);
  if (is_console(h)) {
    const std::wstring w = to_wide(utf8);
    for (std::size_t at = 0; at < w.size();) {
      // Pieces of at most 8192 units, not splitting a surrogate pair.
      std::size_t n = std::min<std::size_t>(w.size() - at, 8192);
      if (at + n < w.size() && IS_HIGH_SURROGATE(w[at + n - 1])) --n;
      DWORD written = 0;
      if (!WriteConsoleW(h, w.data() + at, static_cast<DWORD>(n), &written, nullptr) || written == 0) break;
      at += written;
    }
    return;
  }
  std::string bytes;
  if (output_encoding == Encoding::utf8) {
    bytes = utf8;
  } else if (output_encoding == Encoding::cp932) {
    const std::wstring w = to_wide(utf8);
    const int n = WideCharToMultiByte(932, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    bytes.resize(n);
    WideCharToMultiByte(932, 0, w.data(), static_cast<int>(w.size()), bytes.data(), n, nullptr, nullptr);
  } else {
    const std::wstring w = to_wide(utf8);
    bytes.assign(reinterpret_cast<const char*>(w.data()), w.size() * sizeof(wchar_t));
  }
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
  std::fflush(stream);
}

}  // namespace

bool encoding_named(std::string_view name, Encoding& encoding) {
  if (name == "utf-8") encoding = Encoding::utf8;
  else if (name == "cp932") encoding = Encoding::cp932;
  else if (name == "utf-16le") encoding = Encoding::utf16le;
  else if (name == "utf-16be") encoding = Encoding::utf16be;
  else return false;
  return true;
}

void set_output_encoding(Encoding encoding) {
  output_encoding = encoding;
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

void write_out(std::string_view utf8) { write_text(STD_OUTPUT_HANDLE, stdout, utf8); }
void write_err(std::string_view utf8) { write_text(STD_ERROR_HANDLE, stderr, utf8); }
void write_out_bytes(std::string_view bytes) {
  const HANDLE h = GetStdHandle(STD_OUTPUT_HANDLE);
  if (is_console(h)) {
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return;
  }
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fflush(stdout);
}
bool stdin_is_console() { return is_console(GetStdHandle(STD_INPUT_HANDLE)); }

std::string to_utf8(std::wstring_view w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
  return out;
}

namespace {
// The bytes in the code page; false when they are not valid in it.
bool from_code_page(UINT cp, std::string_view s, std::wstring& out, DWORD flags = MB_ERR_INVALID_CHARS) {
  out.clear();
  if (s.empty()) return true;
  const int n = MultiByteToWideChar(cp, flags, s.data(), static_cast<int>(s.size()), nullptr, 0);
  if (n == 0) return false;
  out.resize(n);
  MultiByteToWideChar(cp, flags, s.data(), static_cast<int>(s.size()), out.data(), n);
  return true;
}
}  // namespace

std::wstring to_wide(std::string_view utf8) {
  std::wstring w;
  from_code_page(CP_UTF8, utf8, w, 0);
  return w;
}

std::string cp932_to_utf8(std::string_view bytes) {
  std::wstring w;
  from_code_page(932, bytes, w, 0);
  return to_utf8(w);
}

bool utf8_to_cp932(std::string_view utf8, std::string& out, std::string& missing) {
  const std::wstring w = to_wide(utf8);
  for (std::size_t at = 0; at < w.size();) {
    // One character at a time, so that the first without a form is named.
    const std::size_t n = IS_HIGH_SURROGATE(w[at]) && at + 1 < w.size() ? 2 : 1;
    char bytes[8];
    BOOL defaulted = FALSE;
    const int got = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w.data() + at, static_cast<int>(n), bytes,
                                        sizeof bytes, nullptr, &defaulted);
    if (got <= 0 || defaulted) {
      missing = to_utf8(w.substr(at, n));
      return false;
    }
    out.append(bytes, got);
    at += n;
  }
  return true;
}

bool decode_file(const std::string& bytes, const Encoding* forced, bool utf8_without_bom, std::string& text,
                 std::size_t& bad_line, Encoding& used) {
  std::string_view body = bytes;
  Encoding found = Encoding::cp932;
  const bool bom8 = body.substr(0, 3) == "\xEF\xBB\xBF";
  const bool bom_le = body.substr(0, 2) == "\xFF\xFE", bom_be = body.substr(0, 2) == "\xFE\xFF";
  std::wstring w;
  if (forced) found = *forced;
  else if (bom8) found = Encoding::utf8;
  else if (bom_le) found = Encoding::utf16le;
  else if (bom_be) found = Encoding::utf16be;
  else if (utf8_without_bom && from_code_page(CP_UTF8, body, w)) found = Encoding::utf8;
  if (found == Encoding::utf8 && bom8) body.remove_prefix(3);
  if ((found == Encoding::utf16le && bom_le) || (found == Encoding::utf16be && bom_be)) body.remove_prefix(2);
  used = found;
  text.clear();
  if (found == Encoding::utf16le || found == Encoding::utf16be) {
    w.clear();
    for (std::size_t i = 0; i + 1 < body.size(); i += 2) {
      const unsigned char a = body[i], b = body[i + 1];
      w += static_cast<wchar_t>(found == Encoding::utf16le ? a | b << 8 : a << 8 | b);
    }
    text = to_utf8(w);
    bad_line = 1;
    for (wchar_t c : w) bad_line += c == L'\n';
    return body.size() % 2 == 0;
  }
  // Line by line, so that a line not in the encoding is named.
  const UINT cp = found == Encoding::utf8 ? CP_UTF8 : 932;
  bad_line = 0;
  for (std::size_t start = 0; start <= body.size();) {
    ++bad_line;
    std::size_t end = body.find('\n', start);
    end = end == std::string_view::npos ? body.size() : end + 1;
    if (!from_code_page(cp, body.substr(start, end - start), w)) return false;
    text += to_utf8(w);
    start = end;
    if (end == body.size()) break;
  }
  return true;
}

}  // namespace lmx::tool
