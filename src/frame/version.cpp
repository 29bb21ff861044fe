#include "frame/version.h"

#include <climits>
#include <cstdio>

namespace lmx {
namespace {

// Decimal conversion as the shell's StrToIntExA does it for digit strings; a
// value beyond int saturates instead of wrapping, and "" counts as 0.
int to_int(const char* digits) {
  long long v = 0;
  for (; *digits; ++digits) {
    v = v * 10 + (*digits - '0');
    if (v > INT_MAX) return INT_MAX;
  }
  return static_cast<int>(v);
}

Version g_version;

}  // namespace

Version parse_file_version(std::string_view file_version) {
  int fields[3] = {0, 0, 0};
  std::size_t field = 0;
  char digits[20] = {};
  std::size_t n = 0;
  for (const char c : file_version) {
    if (c == ',') {
      digits[n] = 0;
      if (field < 3) fields[field] = to_int(digits);
      ++field;
      n = 0;
    } else if (c >= '0' && c <= '9' && n < sizeof digits - 1) {
      digits[n++] = c;
    }
  }
  Version v;
  char number[20];
  std::snprintf(number, sizeof number, "%1d%02d%02d", fields[0], fields[1], fields[2]);
  v.number = to_int(number);
  std::snprintf(v.text, sizeof v.text, "%1d.%02d.%02d", fields[0], fields[1], fields[2]);
  return v;
}

const Version& library_version() { return g_version; }
void set_library_version(const Version& v) { g_version = v; }

}  // namespace lmx
