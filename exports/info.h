// The table of exports as data: one record per export, in table order, for the
// tools that list or document the exports.
#ifndef LORIMAX_EXPORTS_INFO_H
#define LORIMAX_EXPORTS_INFO_H

#include <cstddef>
#include <cstdint>

#include "exports/table.h"

namespace lmx {

struct ExportInfo {
  const char* family;
  const char* name;
  const char* result;     // "I", "S" or "W"
  const char* kinds;      // the arguments' kinds, e.g. "ISS"
  const char* arg_names;  // e.g. "start, text, search"
  const char* meaning;
};

#define LMX_INFO_(family, name, result, meaning, ...) \
  {#family, #name, #result, LMX_KINDS(__VA_ARGS__), LMX_ARGNAMES(__VA_ARGS__), meaning},
inline constexpr ExportInfo kExportInfo[] = {LMX_ALL_EXPORTS(LMX_INFO_)};
#undef LMX_INFO_

inline constexpr std::size_t kExportCount = sizeof kExportInfo / sizeof kExportInfo[0];

}  // namespace lmx

#endif
