#include "windows/frame_text.h"

#include <cstdlib>

#include "frame/cp932.h"

namespace lmx::windows {
namespace {

bool is_ascii_letter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Letters of other scripts (漢字, かな, ...) are fine; the Latin-1 block and
// the Unicode spaces and separators are not.
bool is_name_start(char16_t c) {
  if (is_ascii_letter(c) || c == u'_') return true;
  return c >= 0x100 && !cp932::is_wide_space(c) && c != 0xFEFF;
}

void append_number(std::u16string& out, std::int64_t value) {
  char16_t digits[24];
  int n = 0;
  const bool negative = value < 0;
  std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  do {
    digits[n++] = static_cast<char16_t>(u'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  if (negative) out += u'-';
  while (n) out += digits[--n];
}

}  // namespace

bool is_safe_variable_name(std::u16string_view name) {
  if (!name.empty() && name[0] == u'#') name.remove_prefix(1);
  if (name.empty() || !is_name_start(name[0])) return false;
  for (char16_t c : name.substr(1))
    if (!is_name_start(c) && !is_digit(c)) return false;
  return true;
}

std::u16string rect_assignments(std::u16string_view name, const Edges& edges) {
  const std::int32_t values[] = {edges.top, edges.left, edges.right, edges.bottom};
  std::u16string text;
  for (int index = 0; index < 4; ++index) {
    if (name[0] != u'#') text += u'#';
    text += name;
    text += u'[';
    append_number(text, index);
    text += u"] = ";
    append_number(text, values[index]);
    text += u";\n";
  }
  return text;
}

Placement placement_for_frame(const Edges& window, const Edges& frame, const Placement& wanted) {
  const std::int64_t dl = std::llabs(std::int64_t{window.left} - frame.left);
  const std::int64_t dt = std::llabs(std::int64_t{window.top} - frame.top);
  const std::int64_t dr = std::llabs(std::int64_t{window.right} - frame.right);
  const std::int64_t db = std::llabs(std::int64_t{window.bottom} - frame.bottom);
  // The system takes 32-bit coordinates; a sum beyond them wraps as it would there.
  return {static_cast<std::int32_t>(wanted.x - dl), static_cast<std::int32_t>(wanted.y - dt),
          static_cast<std::int32_t>(wanted.width + dl + dr), static_cast<std::int32_t>(wanted.height + dt + db)};
}

}  // namespace lmx::windows
