#include "format/kanji.h"

#include <charconv>
#include <cstring>
#include <string_view>

namespace lmx::kanji {
namespace {

constexpr std::string_view kDigit[10] = {"\x81\x5A", "\x88\xEA", "\x93\xF1", "\x8E\x4F", "\x8E\x6C",
                                    "\x8C\xDC", "\x98\x5A", "\x8E\xB5", "\x94\xAA", "\x8B\xE3"};  // 〇一二三四五六七八九
constexpr std::string_view kPlaceUnit[5] = {"", "", "\x8F\x5C", "\x95\x53", "\x90\xE7"};              // 十 百 千
constexpr std::string_view kGroupName[18] = {
    "",         "\x96\x9C", "\x89\xAD", "\x92\x9B", "\x8B\x9E", "\x9A\xB4", "\x9E\x60", "\x8F\xEB", "\x8D\x61",
    "\x8A\xC0", "\x90\xB3", "\x8D\xDA", "\x8B\xC9",
    "\x8D\x50\x89\xCD\x8D\xB9",          // 恒河沙
    "\x88\xA2\x91\x6D\xE2\x4C",          // 阿僧祗
    "\x93\xDF\x97\x52\x91\xBD",          // 那由多
    "\x95\x73\x89\xC2\x8E\x76\x8B\x63",  // 不可思議
    "\x96\xB3\x97\xCA\x91\xE5\x90\x94",  // 無量大数
};  // 万 億 兆 京 垓 杼 壌 溝 澗 正 載 極 ...
constexpr std::string_view kZero = "\x97\xEB";  // 零

// Appends to a bounded output; remembers when something did not fit.
struct Writer {
  char* out;
  std::size_t capacity, length = 0;
  bool overflow = false;
  void put(std::string_view s) {
    const std::size_t n = s.size();
    if (length + n + 1 > capacity) {
      overflow = true;
      return;
    }
    std::memcpy(out + length, s.data(), n);
    length += n;
  }
};

}  // namespace

std::size_t convert(std::string_view digits, char* out, std::size_t capacity, Form form) {
  if (capacity == 0) return npos;
  out[0] = 0;
  const std::size_t n = digits.size();
  if (n == 0) return npos;
  for (const char d : digits)
    if (d < '0' || d > '9') return npos;
  if (form == Form::numeral && n > kMaxNumeralDigits) return npos;
  if (form == Form::digits) {
    // Two bytes a digit, so the room is known before anything is written.
    if (n > (capacity - 1) / 2) return npos;
    for (std::size_t i = 0; i < n; ++i) std::memcpy(out + 2 * i, kDigit[digits[i] - '0'].data(), 2);
    out[2 * n] = 0;
    return 2 * n;
  }
  Writer w{out, capacity};
  if (digits.find_first_not_of('0') == std::string_view::npos) {
    w.put(kZero);  // the number zero, however many zeros spell it
  } else {
    bool group_has_digit = false;
    for (std::size_t i = 0; i < n; ++i) {
      const int d = digits[i] - '0';
      const std::size_t r = n - 1 - i, group = r / 4, place = r % 4 + 1;
      if (d != 0) {
        group_has_digit = true;
        if (d != 1 || place == 1 || (place == 4 && group > 0)) w.put(kDigit[d]);
        w.put(kPlaceUnit[place]);
      }
      if (place == 1) {
        // A group of zeros (or of leading zeros) gets no name: 100000000 is 一億.
        if (group_has_digit) w.put(kGroupName[group]);
        group_has_digit = false;
      }
    }
  }
  if (w.overflow) {
    out[0] = 0;
    return npos;
  }
  out[w.length] = 0;
  return w.length;
}

std::size_t convert_number(std::uint64_t number, char* out, std::size_t capacity, Form form) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
  return convert(std::string_view(digits, static_cast<std::size_t>(end - digits)), out, capacity, form);
}

namespace {

Form form_of(intptr_t mode) { return mode == 1 ? Form::numeral : Form::digits; }

}  // namespace

const char* number_to_kanji(NarrowResult& out, intptr_t number, intptr_t mode) {
  if (number < 0) return kEmptyResult;
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
  return digits_to_kanji(out, std::string_view(digits, static_cast<std::size_t>(end - digits)), mode);
}

const char* digits_to_kanji(NarrowResult& out, std::string_view digits, intptr_t mode) {
  if (digits.empty()) return kEmptyResult;
  out.clear();
  const std::size_t n = digits.size();
  if (n > kResultCap / 5 || !out.ensure(5 * n, 5 * n + kSlack)) return kEmptyResult;
  convert(digits, out.data(), out.capacity(), form_of(mode));
  return out.data();
}

}  // namespace lmx::kanji
