#include "tools/lmx/text.h"

#include <algorithm>
#include <tuple>

#include "exports/info.h"

namespace lmx::tool {

bool japanese_first = true;

Message say(std::string_view ja, std::string_view en, std::initializer_list<std::string_view> args) {
  auto fill = [&](std::string_view pattern) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
      const std::size_t n = i + 2 < pattern.size() && pattern[i] == '{' && pattern[i + 2] == '}'
                                ? static_cast<std::size_t>(pattern[i + 1] - '0')
                                : args.size();
      if (n < args.size()) {
        out += args.begin()[n];
        i += 2;
      } else {
        out += pattern[i];
      }
    }
    return out;
  };
  return {fill(ja), fill(en)};
}

std::string both(const Message& m) { return japanese_first ? m.ja + " / " + m.en : m.en + " / " + m.ja; }

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char32_t next_code_point(std::string_view text, std::size_t& i) {
  const unsigned char lead = text[i++];
  const int trail = lead < 0x80 ? 0 : lead >= 0xF5 ? -1 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
  if (trail < 0) return 0xFFFD;
  char32_t c = trail ? lead & (0x3F >> trail) : lead;
  for (int k = 0; k < trail; ++k) {
    if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0xFFFD;
    c = c << 6 | (text[i++] & 0x3F);
  }
  return c;
}

std::size_t utf8_length(std::string_view text) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size(); ++n) next_code_point(text, i);
  return n;
}

bool parse_integer(std::string_view text, intptr_t& value) {
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  if (hex) text.remove_prefix(2);
  if (text.empty()) return false;
  const uint64_t base = hex ? 16 : 10;
  // Within intptr_t, but that a positive hexadecimal number may give any 64-bit pattern.
  const uint64_t limit = negative ? uint64_t{1} << 63 : hex ? UINT64_MAX : INTPTR_MAX;
  uint64_t v = 0;
  for (char c : text) {
    const int d = c >= '0' && c <= '9'             ? c - '0'
                  : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                  : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                : -1;
    if (d < 0 || v > (limit - d) / base) return false;
    v = v * base + d;
  }
  value = static_cast<intptr_t>(negative ? 0 - v : v);
  return true;
}

namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// Edits between two texts: insertions, deletions, changes and swaps of neighbours.
std::size_t distance(const std::string& a, const std::string& b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i)
    for (std::size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  return d[a.size()][b.size()];
}

}  // namespace

std::vector<std::string_view> nearest_exports(std::string_view name, std::size_t most) {
  const std::string wanted = lower(name);
  // Near: a few edits for the name's length, or one name inside the other.
  const std::size_t near = std::max<std::size_t>(2, wanted.size() / 3);
  std::vector<std::tuple<std::size_t, std::size_t, std::size_t>> found;  // rank, edits, table index
  for (std::size_t k = 0; k < kExportCount; ++k) {
    const std::string candidate = lower(kExportInfo[k].name);
    const std::size_t edits = distance(wanted, candidate);
    const bool inside = wanted.size() >= 3 && (candidate.find(wanted) != std::string::npos ||
                                               wanted.find(candidate) != std::string::npos);
    const std::size_t rank = inside ? std::min<std::size_t>(edits, near) : edits;
    if (rank <= near) found.emplace_back(rank, edits, k);
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string_view> names;
  for (std::size_t i = 0; i < found.size() && i < most; ++i) names.push_back(kExportInfo[std::get<2>(found[i])].name);
  return names;
}

std::string nearest_list(std::string_view name) {
  std::string out;
  for (std::string_view n : nearest_exports(name)) (out += out.empty() ? "" : ", ") += n;
  return out;
}

}  // namespace lmx::tool
