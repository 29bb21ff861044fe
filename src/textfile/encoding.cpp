#include "textfile/encoding.h"

namespace lmx::textfile {
namespace {

struct Named {
  std::u16string_view name;
  EncodingCode code;
};

constexpr Named kNames[] = {
    {u"UTF8", utf8},         {u"UTF-8", utf8},         {u"UTF_8", utf8},          {u"UTF8BOM", utf8_bom},
    {u"UTF-8BOM", utf8_bom}, {u"UTF_8BOM", utf8_bom},  {u"UTF16LE", utf16le},     {u"UTF-16LE", utf16le},
    {u"UTF_16LE", utf16le},  {u"UNICODE", utf16le},
};

bool same_ignoring_case(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char16_t x = a[i] >= u'a' && a[i] <= u'z' ? a[i] - 32 : a[i];
    if (x != b[i]) return false;
  }
  return true;
}

}  // namespace

Encoding encoding_named(std::u16string_view name) {
  for (const auto& n : kNames)
    if (same_ignoring_case(name, n.name))
      return {n.code, n.code == utf16le ? u",ccs=UTF-16LE" : u",ccs=UTF-8"};
  return {plain_text, u""};
}

}  // namespace lmx::textfile
