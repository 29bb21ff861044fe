#include "bridges/spell_files.h"

#include <cstring>

#include "frame/cp932.h"

namespace lmx::spell {
namespace {

bool put(char (&slot)[kPathSize], std::string_view a, std::string_view b = {}) {
  if (a.size() + b.size() + 1 > kPathSize) return false;
  std::memcpy(slot, a.data(), a.size());
  std::memcpy(slot + a.size(), b.data(), b.size());
  slot[a.size() + b.size()] = 0;
  return true;
}

// Offset of the extension's dot in the last component, or npos. Separators are
// found by walking characters: 0x5C is also a trail byte (表 is 95 5C).
std::size_t extension_dot(std::string_view path) {
  std::size_t dot = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); i += cp932::char_width(path, i)) {
    if (cp932::char_width(path, i) == 2) continue;
    if (path[i] == '\\' || path[i] == '/' || path[i] == ':') dot = std::string_view::npos;
    else if (path[i] == '.') dot = i;
  }
  return dot;
}

bool equals_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char x = (a[i] >= 'A' && a[i] <= 'Z') ? a[i] + 32 : a[i];
    if (x != b[i]) return false;
  }
  return true;
}

}  // namespace

Naming form_dictionary_files(std::string_view dictionary, std::string_view affix, DictionaryFiles& out) {
  if (!affix.empty()) {
    if (!put(out.affix, affix)) return Naming::affix_failed;
    if (!put(out.dictionary, dictionary)) return Naming::dictionary_failed;
    return Naming::formed;
  }
  const std::string_view name = dictionary;
  const std::size_t dot = extension_dot(name);
  const std::string_view extension = dot == std::string_view::npos ? std::string_view() : name.substr(dot);
  const std::string_view stem = name.substr(0, dot == std::string_view::npos ? name.size() : dot);
  if (equals_ignoring_case(extension, ".dic")) {
    if (!put(out.dictionary, name) || !put(out.affix, stem, ".aff")) return Naming::affix_failed;
  } else if (equals_ignoring_case(extension, ".aff")) {
    if (!put(out.affix, name) || !put(out.dictionary, stem, ".dic")) return Naming::dictionary_failed;
  } else {
    if (!put(out.affix, name, ".aff")) return Naming::affix_failed;
    if (!put(out.dictionary, name, ".dic")) return Naming::dictionary_failed;
  }
  return Naming::formed;
}

}  // namespace lmx::spell
