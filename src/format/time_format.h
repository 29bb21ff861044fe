// Time formats: strftime's directives plus the Japanese ones (%kY年%km月%kd日,
// %kA, %kB, %kp and their "#" forms), rewritten into a format that the C
// runtime's strftime accepts whatever the macro wrote.
#ifndef LORIMAX_FORMAT_TIME_FORMAT_H
#define LORIMAX_FORMAT_TIME_FORMAT_H

#include <string>
#include <string_view>

namespace lmx::time_format {

// The fields of a moment in local time.
struct Moment {
  int year;     // e.g. 2026
  int month;    // 1 to 12
  int day;      // 1 to 31
  int hour;     // 0 to 23
  int minute;
  int second;
  int weekday;  // 0 to 6, Sunday 0
};

// The format for strftime: Japanese directives replaced by their text, the
// pass-through directives kept, and every other "%" doubled so that it shows
// literally. No directive outside A B H I M S U W X Y Z a b c d j m p w x y z
// (with or without "#") reaches strftime.
std::string rewrite(std::string_view format, const Moment& moment);

}  // namespace lmx::time_format

#endif
