// Writes docs/exports.md, the reference of every export, from the table.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "exports/info.h"

namespace {

using lmx::kExportInfo;

const char* kind_name(char k) { return k == 'I' ? "integer" : k == 'S' ? "string" : "wide string"; }

}  // namespace

int main() {
  std::printf("# lorimax exports\n\n");
  std::printf("Generated from `exports/table.h` by `make docs`; do not edit by hand.\n\n");
  std::printf("Integers are 64-bit (`intptr_t`); strings are code page 932 (`const char*`) unless the meaning says\n");
  std::printf("UTF-8; wide strings are UTF-16 (`const wchar_t*`). A returned string stays valid until the next\n");
  std::printf("call that writes the same result buffer. A null string argument counts as the empty string.\n");
  std::printf("\n%zu exports.\n", lmx::kExportCount);
  const char* family = "";
  for (const auto& e : kExportInfo) {
    if (std::strcmp(family, e.family) != 0) {
      family = e.family;
      std::printf("\n## %s\n\n| Export | Arguments | Result | Meaning |\n|---|---|---|---|\n", family);
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
    std::printf(" | %s | %s |\n", kind_name(e.result[0]), e.meaning);
  }
  return 0;
}
