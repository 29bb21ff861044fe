// The table of exports as data: one record per export, in table order, with
// what each promises, for the tools and tests that list, document or check
// the exports.
#ifndef LORIMAX_EXPORTS_INFO_H
#define LORIMAX_EXPORTS_INFO_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "exports/table.h"
#include "frame/contract.h"

namespace lmx {

// How an export fails (see the table's header).
enum class Failure : char { value, empty, none, by_arguments };
struct FailureResult {
  Failure kind;
  intptr_t value = INTPTR_MIN;  // Failure::value: the integer(s) it fails with
  intptr_t other = INTPTR_MIN;
  bool is(intptr_t r) const { return kind == Failure::value && (r == value || r == other); }
};
struct Range {
  intptr_t lowest = INTPTR_MIN, highest = INTPTR_MAX;
};
// What an argument promises: beyond it the export gives its failure.
enum class Mark : char { none, path, file, window, slot };
struct ArgMark {
  Mark kind = Mark::none;
  std::size_t longest = 0;  // a path's characters
  // A path beyond `longest` gives the failure (a file opened: a device too).
  bool limits_path() const { return kind == Mark::path || kind == Mark::file; }
};

struct ExportInfo {
  const char* family;
  const char* name;
  const char* result;     // "I", "S" or "W"
  const char* kinds;      // the arguments' kinds, e.g. "ISS"
  const char* arg_names;  // e.g. "start, text, search"
  const char* meaning;
  FailureResult failure;
  Range range;
  ArgMark marks[kMostArguments];
};

#define LMX_FAILURE_F(...) {::lmx::Failure::value, __VA_ARGS__}
#define LMX_FAILURE_EMPTY {::lmx::Failure::empty}
#define LMX_FAILURE_NONE {::lmx::Failure::none}
#define LMX_FAILURE_ARGS {::lmx::Failure::by_arguments}
#define LMX_RANGE_R(lowest, highest) {lowest, highest}
#define LMX_RANGE_ANY {}
#define LMX_MARK_ {}
#define LMX_MARK_PATH(n) {::lmx::Mark::path, n}
#define LMX_MARK_FILE(n) {::lmx::Mark::file, n}
#define LMX_MARK_WINDOW {::lmx::Mark::window}
#define LMX_MARK_SLOT {::lmx::Mark::slot}
#define LMX_ARG_MARK_(kind, name, ...) LMX_MARK_OF_(__VA_ARGS__)
#define LMX_MARK_OF_(...) LMX_MARK_##__VA_ARGS__

namespace table_bounds {
// The names the table's ranges use.
inline constexpr intptr_t MAX = INTPTR_MAX, U32 = 0xFFFFFFFF;

#define LMX_INFO_(family, name, result, failure, range, meaning, ...)                                        \
  {#family, #name, #result, LMX_KINDS(__VA_ARGS__), LMX_ARGNAMES(__VA_ARGS__), meaning,                      \
   LMX_CAT(LMX_FAILURE_, failure), LMX_CAT(LMX_RANGE_, range),                                               \
   {__VA_OPT__(LMX_MAP(LMX_ARG_MARK_, LMX_SEP_COMMA, __VA_ARGS__))}},
inline constexpr ExportInfo kExportInfo[] = {LMX_ALL_EXPORTS(LMX_INFO_)};
#undef LMX_INFO_
}  // namespace table_bounds
using table_bounds::kExportInfo;

inline constexpr std::size_t kExportCount = sizeof kExportInfo / sizeof kExportInfo[0];

// The index of export i's wide twin by the table's rule, or kExportCount.
inline std::size_t wide_twin(std::size_t i) {
  const std::string_view name = kExportInfo[i].name, kinds = kExportInfo[i].kinds;
  for (std::size_t t = 0; t < kExportCount; ++t) {
    const std::string_view twin = kExportInfo[t].name, twin_kinds = kExportInfo[t].kinds;
    if (twin.size() != name.size() + 1 || !twin.starts_with(name) || twin.back() != 'W') continue;
#define LMX_UNTWINNED_(untwinned) if (twin == #untwinned) return kExportCount;
    LMX_UNTWINNED(LMX_UNTWINNED_)
#undef LMX_UNTWINNED_
    const bool integers = kExportInfo[t].result[0] == 'I', integer = kExportInfo[i].result[0] == 'I';
    bool same = twin_kinds.size() == kinds.size() && integers == integer;
    for (std::size_t k = 0; same && k < kinds.size(); ++k)
      same = twin_kinds[k] == kinds[k] || (kinds[k] == 'S' && twin_kinds[k] == 'W');
    return same ? t : kExportCount;
  }
  return kExportCount;
}

// The table's argument lists end where the contract says.
static_assert([] {
  for (const ExportInfo& e : kExportInfo)
    if (std::char_traits<char>::length(e.kinds) > kMostArguments) return false;
  return true;
}());

}  // namespace lmx

#endif
