#include "format/time_format.h"

#include <cstring>

#include "format/kanji.h"
#include "frame/cp932.h"

namespace lmx::time_format {
namespace {

constexpr const char* kWeekdayName[7] = {"\x93\xFA\x97\x6A\x93\xFA", "\x8C\x8E\x97\x6A\x93\xFA", "\x89\xCE\x97\x6A\x93\xFA",
                                         "\x90\x85\x97\x6A\x93\xFA", "\x96\xD8\x97\x6A\x93\xFA", "\x8B\xE0\x97\x6A\x93\xFA",
                                         "\x93\x79\x97\x6A\x93\xFA"};  // 日曜日 .. 土曜日
constexpr const char* kWeekdayLetter[7] = {"\x93\xFA", "\x8C\x8E", "\x89\xCE", "\x90\x85",
                                           "\x96\xD8", "\x8B\xE0", "\x93\x79"};  // 日 月 火 水 木 金 土
constexpr const char* kMonthName[12] = {
    "\x96\x72\x8C\x8E", "\x94\x40\x8C\x8E", "\x96\xED\x90\xB6", "\x89\x4B\x8C\x8E", "\x8E\x48\x8C\x8E",
    "\x90\x85\x96\xB3\x8C\x8E", "\x95\xB6\x8C\x8E", "\x97\x74\x8C\x8E", "\x92\xB7\x8C\x8E",
    "\x90\x5F\x96\xB3\x8C\x8E", "\x91\x9A\x8C\x8E", "\x8E\x74\x91\x96"};  // 睦月 .. 師走
constexpr const char* kMorning = "\x8C\xDF\x91\x4F";    // 午前
constexpr const char* kAfternoon = "\x8C\xDF\x8C\xE3";  // 午後

constexpr std::string_view kPassThrough = "ABHIMSUWXYZabcdjmpwxyz";

void append_kanji_number(std::string& out, unsigned value, bool numeral) {
  char buffer[100];
  if (kanji::convert_number(value, buffer, sizeof buffer, numeral ? kanji::Form::numeral : kanji::Form::digits) !=
      kanji::npos)
    out += buffer;
}

// The text of a Japanese directive %k<letter> (numeral after "#"); false when
// the letter is not one.
bool append_japanese(std::string& out, char letter, bool numeral, const Moment& m) {
  const int weekday = m.weekday >= 0 && m.weekday < 7 ? m.weekday : 0;
  const int month = m.month >= 1 && m.month <= 12 ? m.month : 1;
  switch (letter) {
    case 'A': out += kWeekdayName[weekday]; return true;
    case 'a': out += kWeekdayLetter[weekday]; return true;
    case 'B': out += kMonthName[month - 1]; return true;
    case 'p': out += m.hour < 12 ? kMorning : kAfternoon; return true;
    case 'Y': append_kanji_number(out, static_cast<unsigned>(m.year), numeral); return true;
    case 'y': {
      // The year as an unsigned 16-bit number from its third character on,
      // always in the digit form.
      const std::string year = std::to_string(static_cast<unsigned short>(m.year));
      if (year.size() > 2) {
        char buffer[100];
        if (kanji::convert(std::string_view(year).substr(2), buffer, sizeof buffer, kanji::Form::digits) != kanji::npos)
          out += buffer;
      }
      return true;
    }
    case 'm': append_kanji_number(out, static_cast<unsigned>(month), numeral); return true;
    case 'd': append_kanji_number(out, static_cast<unsigned>(m.day), numeral); return true;
    case 'H': append_kanji_number(out, static_cast<unsigned>(m.hour), numeral); return true;
    case 'I': append_kanji_number(out, static_cast<unsigned>(m.hour % 12 == 0 ? 12 : m.hour % 12), numeral); return true;
    case 'h': append_kanji_number(out, static_cast<unsigned>(m.hour % 12), numeral); return true;
    case 'M': append_kanji_number(out, static_cast<unsigned>(m.minute), numeral); return true;
    case 'S': append_kanji_number(out, static_cast<unsigned>(m.second), numeral); return true;
    default: return false;
  }
}

}  // namespace

std::string rewrite(std::string_view format, const Moment& moment) {
  std::string out;
  out.reserve(format.size() * 2);
  const std::size_t n = format.size();
  for (std::size_t i = 0; i < n;) {
    if (cp932::is_double_byte(format, i)) {
      out.append(format.substr(i, 2));
      i += 2;
      continue;
    }
    if (format[i] != '%') {
      out += format[i++];
      continue;
    }
    // "%" [ "#" ] then a directive letter.
    const bool hash = i + 1 < n && format[i + 1] == '#';
    const std::size_t at = i + (hash ? 2 : 1);
    const char c = at < n ? format[at] : '\0';
    if (c == '%') {
      out += "%%";  // "%%" and "%#%" both print one percent sign
      i = at + 1;
    } else if (c == 'k' && at + 1 < n && append_japanese(out, format[at + 1], hash, moment)) {
      i = at + 2;
    } else if (c == 'h') {
      out += hash ? "%#I" : "%I";
      i = at + 1;
    } else if (c != '\0' && kPassThrough.find(c) != std::string_view::npos) {
      out.append(format.substr(i, at + 1 - i));
      i = at + 1;
    } else {
      out += "%%";  // a literal percent sign; what follows is plain text
      ++i;
    }
  }
  return out;
}

}  // namespace lmx::time_format
