#include "format/size_text.h"

#include <cmath>
#include <cstdio>
#include <iterator>

namespace lmx::size_text {

SizeTexts describe(std::uint64_t bytes) {
  static constexpr const char* kUnits[] = {"bytes", "KB", "MB", "GB", "TB"};
  double v = static_cast<double>(bytes);
  std::size_t unit = 0;
  while (unit + 1 < std::size(kUnits) && v > 1000.0) {
    v /= 1000.0;
    ++unit;
  }
  SizeTexts t;
  std::snprintf(t.unit, sizeof t.unit, "%s", kUnits[unit]);
  double whole = 0;
  if (std::modf(v, &whole) < 0.04) {
    const long long k = static_cast<long long>(v);
    std::snprintf(t.text, sizeof t.text, "%5lld %s", k, kUnits[unit]);
    std::snprintf(t.number, sizeof t.number, "%lld", k);
  } else {
    std::snprintf(t.text, sizeof t.text, "%5.1f %s", v, kUnits[unit]);
    std::snprintf(t.number, sizeof t.number, "%.1f", v);
  }
  return t;
}

}  // namespace lmx::size_text
