#include "format/url.h"

#include "frame/cp932.h"

namespace lmx::url {
namespace {

constexpr std::string_view kUnsafe = "<>\"#%{}|\\^~[]` ";
constexpr std::string_view kReserved = " #$&'()*+,/:;=?@[]";

char* put_escape(char* w, unsigned char b) {
  static constexpr char hex[] = "0123456789ABCDEF";
  *w++ = '%';
  *w++ = hex[b >> 4];
  *w++ = hex[b & 15];
  return w;
}

// Each byte's value as a hexadecimal digit, or 0xF0 for a byte that is none.
struct HexDigits {
  unsigned char value[256];
};
constexpr HexDigits hex_digits() {
  HexDigits t{};
  for (int c = 0; c < 256; ++c)
    t.value[c] = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : 0xF0;
  return t;
}
constexpr HexDigits kHex = hex_digits();
unsigned char hex_value(char c) { return kHex.value[static_cast<unsigned char>(c)]; }

// Room for every byte escaped; refused past the cap instead of cut.
bool prepare(NarrowResult& out, std::size_t length) {
  out.clear();
  return length <= (kResultCap - 1) / 3 && out.ensure(3 * length + 1, 3 * length + kSlack);
}

}  // namespace

const char* encode_narrow(NarrowResult& out, std::string_view text, intptr_t mode) {
  if (text.empty() || !prepare(out, text.size())) return kEmptyResult;
  char* w = out.data();
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (cp932::is_double_byte(text, i)) {
      w = put_escape(put_escape(w, b), static_cast<unsigned char>(text[i + 1]));
      i += 2;
      continue;
    }
    const bool escape = mode >= 2 ? kUnsafe.find(static_cast<char>(b)) != std::string_view::npos : mode == 1 && b == ' ';
    if (escape)
      w = put_escape(w, b);
    else
      *w++ = static_cast<char>(b);
    ++i;
  }
  *w = 0;
  return out.data();
}

bool encode_utf8(NarrowResult& out, std::string_view utf8, bool all) {
  if (!prepare(out, utf8.size())) return false;
  char* w = out.data();
  for (const char c : utf8) {
    const auto b = static_cast<unsigned char>(c);
    if (!all && b >= 0x21 && b <= 0x7E && kReserved.find(c) == std::string_view::npos)
      *w++ = c;
    else
      w = put_escape(w, b);
  }
  *w = 0;
  return true;
}

// Without a branch on the bytes: whether an escape stands at i picks the byte
// written and the step, so texts that mix escapes and plain bytes at random
// cost no mispredicted jumps.
const char* decode(NarrowResult& out, std::string_view text) {
  if (text.empty()) return kEmptyResult;
  out.clear();
  if (!out.ensure(text.size() + 1, text.size() + kSlack)) return kEmptyResult;
  char* w = out.data();
  const char* p = text.data();
  const std::size_t n = text.size();
  std::size_t i = 0;
  for (; i + 2 < n; ++w) {
    const unsigned char hi = hex_value(p[i + 1]), lo = hex_value(p[i + 2]);
    const bool escape = p[i] == '%' && (hi | lo) < 16;
    *w = escape ? static_cast<char>(hi << 4 | lo) : p[i];
    i += escape ? 3 : 1;
  }
  for (; i < n; ++i) *w++ = p[i];  // the last two bytes hold no whole escape
  *w = 0;
  return out.data();
}

}  // namespace lmx::url
