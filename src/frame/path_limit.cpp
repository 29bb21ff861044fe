#include "frame/path_limit.h"

#include "frame/cp932.h"

namespace lmx {

bool path_fits(const char* path, std::size_t longest) {
  if (!path) return true;
  std::size_t units = 0;
  for (const char* p = path; *p; ++units) {
    if (units == longest) return false;
    p += cp932::is_cp_lead(static_cast<unsigned char>(*p)) && p[1] ? 2 : 1;
  }
  return true;
}

bool path_fits(const char16_t* path, std::size_t longest) {
  if (!path) return true;
  for (std::size_t units = 0; path[units]; ++units)
    if (units == longest) return false;
  return true;
}

}  // namespace lmx
