#include <windows.h>

#include <climits>
#include <cstring>
#include <ctime>

#include "format/format_win.h"
#include "format/time_format.h"
#include "frame/cp932.h"
#include "frame/guarded.h"
#include "frame/result_buffer.h"

namespace lmx::format {
namespace {

bool g_fixed = false;
__time64_t g_fixed_time = 0;

}  // namespace

// strftime runs in the library's C-runtime locale ("C", or "japanese" once a
// wide text-file export has set it). Its output buffer starts at ten times the
// format plus 100 and, since a valid format may need more (%#c, repeated),
// grows by doubling while it is smaller than any output could be (no
// directive gives more than 64 bytes); a zero count then means failure or an
// empty text, both the empty result.
namespace {

bool ends_in_lone_lead_byte(std::string_view text) {
  std::size_t p = 0, last = 0;
  for (; p < text.size(); p += cp932::cp_char_width(text, p)) last = p;
  return !text.empty() && last == text.size() - 1 && cp932::is_cp_lead(static_cast<unsigned char>(text[last]));
}

const char* format_moment(std::string_view format) {
  auto& out = result();
  const std::size_t floor = 10 * format.size();
  if (floor >= kResultCap || !out.ensure(floor, floor + kSlack)) return kEmptyResult;
  __time64_t now = g_fixed ? g_fixed_time : _time64(nullptr);
  std::tm local{};
  if (now < 0 || _localtime64_s(&local, &now) != 0) return kEmptyResult;
  const time_format::Moment moment{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                   local.tm_min,         local.tm_sec,     local.tm_wday};
  const std::string rewritten = time_format::rewrite(format, moment);
  // In the "japanese" locale strftime reads a lead byte and the byte after it
  // as one character; a lead byte just before the terminator trips the C
  // runtime's parameter check, which ends the process on Windows.
  if (ends_in_lone_lead_byte(rewritten)) return kEmptyResult;
  const std::size_t largest_output = 64 * rewritten.size() + 1;
  for (;;) {
    // Wine's msvcrt, in the "japanese" locale, checks the output byte where a
    // double-byte character of the format goes instead of the format's trail
    // byte, and refuses the whole call (parameter check) when it finds a zero
    // there: "%Y年" then gives nothing. strftime writes its own terminator, so
    // a buffer without zeros changes nothing elsewhere.
    std::memset(out.data(), ' ', out.capacity());
    if (std::strftime(out.data(), out.capacity(), rewritten.c_str(), &local) > 0) return out.data();
    if (out.capacity() >= largest_output || !out.ensure(out.capacity() + 1, 2 * out.capacity())) return kEmptyResult;
  }
}

}  // namespace

const char* time_format(std::string_view format) {
  if (format.empty()) return kEmptyResult;
  return guarded<const char*>(kEmptyResult, [format] { return format_moment(format); });
}

namespace {

// Fields beyond any calendar are refused instead of overflowing the C
// runtime's int fields.
constexpr intptr_t kFieldLimit = 1'000'000;
bool in_limit(intptr_t v) { return v >= -kFieldLimit && v <= kFieldLimit; }

}  // namespace

// Out-of-range fields are left to mktime's normalisation: 25:00 on the 7th is
// 01:00 on the 8th, day 30 of February a day of March, month 0 December before.
intptr_t set_time(intptr_t year, intptr_t month, intptr_t day, intptr_t hour, intptr_t minute, intptr_t second) {
  g_fixed = true;
  if (year > kFieldLimit || !in_limit(month) || !in_limit(day) || !in_limit(hour) || !in_limit(minute) ||
      !in_limit(second)) {
    g_fixed_time = -1;
    return 1;
  }
  std::tm t{};
  t.tm_year = static_cast<int>((year < 1900 ? 1900 : year) - 1900);
  t.tm_mon = static_cast<int>((month > 12 ? 1 : month) - 1);
  t.tm_mday = static_cast<int>(day > 31 ? 1 : day);
  t.tm_hour = static_cast<int>(hour);
  t.tm_min = static_cast<int>(minute);
  t.tm_sec = static_cast<int>(second);
  t.tm_isdst = -1;
  g_fixed_time = _mktime64(&t);
  return 1;
}

intptr_t reset_time() {
  g_fixed = false;
  return 1;
}

// Sleep takes 32 bits and reads 0xFFFFFFFF as "for ever"; longer counts are
// slept in pieces, so every count ends.
intptr_t wait_milliseconds(intptr_t milliseconds) {
  if (milliseconds < 0) return -1;
  constexpr std::uint64_t kLongestPiece = 0xFFFFFFFEu;
  for (auto left = static_cast<std::uint64_t>(milliseconds); left > 0;) {
    const std::uint64_t piece = left < kLongestPiece ? left : kLongestPiece;
    Sleep(static_cast<DWORD>(piece));
    left -= piece;
  }
  if (milliseconds == 0) Sleep(0);
  return 1;
}

}  // namespace lmx::format
