// Writes docs/exports.md, the reference of every export, from the table.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "exports/info.h"

namespace {

using lmx::kExportInfo;

const char* kind_name(char k) { return k == 'I' ? "integer" : k == 'S' ? "string" : "wide string"; }

// "integer, -1 to 1", "integer, 0 or more"
void print_result(const lmx::ExportInfo& e) {
  std::printf("%s", kind_name(e.result[0]));
  const auto [lowest, highest] = e.range;
  if (lowest == INTPTR_MIN && highest == INTPTR_MAX) return;
  if (highest == INTPTR_MAX)
    std::printf(", %lld or more", static_cast<long long>(lowest));
  else if (lowest == highest)
    std::printf(", always %lld", static_cast<long long>(lowest));
  else
    std::printf(", %lld to %lld", static_cast<long long>(lowest), static_cast<long long>(highest));
}

void print_failure(const lmx::ExportInfo& e) {
  switch (e.failure.kind) {
    case lmx::Failure::value:
      std::printf("%lld", static_cast<long long>(e.failure.value));
      if (e.failure.other != INTPTR_MIN) std::printf(" or %lld", static_cast<long long>(e.failure.other));
      break;
    case lmx::Failure::empty: std::printf("empty"); break;
    case lmx::Failure::none: std::printf("none"); break;
    case lmx::Failure::by_arguments: std::printf("by its arguments"); break;
  }
  // The marks: which arguments give the failure.
  const char* names = e.arg_names;
  for (std::size_t k = 0; e.kinds[k]; ++k) {
    const char* comma = std::strstr(names, ", ");
    const int len = comma ? static_cast<int>(comma - names) : static_cast<int>(std::strlen(names));
    const lmx::ArgMark& m = e.marks[k];
    if (m.kind == lmx::Mark::path) std::printf("; %.*s over %zu characters", len, names, m.longest);
    if (m.kind == lmx::Mark::window) std::printf("; %.*s not a window", len, names);
    if (m.kind == lmx::Mark::slot) std::printf("; %.*s not open", len, names);
    names = comma ? comma + 2 : names + len;
  }
}

}  // namespace

int main() {
  std::printf("# lorimax exports\n\n");
  std::printf("Generated from `exports/table.h` by `make docs`; do not edit by hand.\n\n");
  std::printf("Integers are 64-bit (`intptr_t`); strings are code page 932 (`const char*`) unless the meaning says\n");
  std::printf("UTF-8; wide strings are UTF-16 (`const wchar_t*`). A returned string stays valid until the next\n");
  std::printf("call that writes the same result buffer. A null string argument counts as the empty string.\n");
  std::printf("Failure is what the export gives when it fails (\"none\": it cannot fail); after it, the arguments\n");
  std::printf("that always give the failure. The result's range, where one is promised, follows its kind.\n");
  std::printf("\n%zu exports.\n", lmx::kExportCount);
  const char* family = "";
  for (const auto& e : kExportInfo) {
    if (std::strcmp(family, e.family) != 0) {
      family = e.family;
      std::printf("\n## %s\n\n| Export | Arguments | Result | Failure | Meaning |\n|---|---|---|---|---|\n", family);
    }
    std::printf("| `%s` | ", e.name);
    // Names and kinds side by side: "start (integer), text (string)".
    const char* names = e.arg_names;
    for (std::size_t k = 0; e.kinds[k]; ++k) {
      const char* comma = std::strstr(names, ", ");
      const int len = comma ? static_cast<int>(comma - names) : static_cast<int>(std::strlen(names));
      std::printf("%s%.*s (%s)", k ? ", " : "", len, names, kind_name(e.kinds[k]));
      names = comma ? comma + 2 : names + len;
    }
    if (!e.kinds[0]) std::printf("none");
    std::printf(" | ");
    print_result(e);
    std::printf(" | ");
    print_failure(e);
    std::printf(" | %s |\n", e.meaning);
  }
  return 0;
}
