#include "frame/path_limit.h"

#include "frame/cp932.h"
#include "frame/guarded.h"

#include <string_view>

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

namespace {

// The character at `p` as Windows sees it for these tests: ASCII as itself, a
// double-byte character of code page 932 as one that is no separator and no
// letter; the width it takes.
template <class Char>
char16_t at(const Char* p, std::size_t& width) {
  width = 1;
  if constexpr (sizeof(Char) == 1) {
    const auto b = static_cast<unsigned char>(*p);
    if (cp932::is_cp_lead(b) && p[1]) {
      width = 2;
      return u'\uFFFF';
    }
    return b;
  } else {
    return static_cast<char16_t>(*p);
  }
}

char16_t upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }
bool is_separator(char16_t c) { return c == u'\\' || c == u'/'; }

// Whether the path begins with the prefix, ignoring ASCII case, either slash
// matching a backslash of the prefix.
template <class Char>
bool starts_with(const Char* path, std::u16string_view prefix) {
  for (char16_t want : prefix) {
    std::size_t width;
    const char16_t c = at(path, width);
    if (upper(c) != want && !(want == u'\\' && is_separator(c))) return false;
    path += width;
  }
  return true;
}

// One of the reserved names, as a whole.
bool is_device_name(std::u16string_view name) {
  static constexpr std::u16string_view kNames[] = {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"};
  auto same = [&](std::u16string_view n) {
    if (name.size() != n.size()) return false;
    for (std::size_t i = 0; i < n.size(); ++i)
      if (upper(name[i]) != n[i]) return false;
    return true;
  };
  for (std::u16string_view n : kNames)
    if (same(n)) return true;
  if (name.size() != 4) return false;
  const char16_t a = upper(name[0]), b = upper(name[1]), c = upper(name[2]), digit = name[3];
  if (!(a == u'C' && b == u'O' && c == u'M') && !(a == u'L' && b == u'P' && c == u'T')) return false;
  return (digit >= u'0' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' || digit == u'\u00B3';
}

// The characters from `p` up to a separator, a period or a colon (or, with
// `whole_component`, up to a separator only), trailing spaces dropped, in
// `name`; false when they are more than a device name with its spaces can be.
constexpr std::size_t kLongestName = 32;
template <class Char>
bool name_at(const Char* p, char16_t (&name)[kLongestName], std::size_t& length, bool whole_component) {
  length = 0;
  for (std::size_t width; *p; p += width) {
    const char16_t c = at(p, width);
    if (is_separator(c) || (!whole_component && (c == u'.' || c == u':'))) break;
    if (length == kLongestName) return false;
    name[length++] = c;
  }
  if (!whole_component)
    while (length && name[length - 1] == u' ') --length;
  return true;
}

// A device by Windows' reading: the last component is one when the part
// before its first period or colon, without trailing spaces, is a reserved
// name (COM1, com1.txt, "COM1 .log" and C:COM1 alike); a path in the
// \\.\ namespace always is; after \\?\ or \??\ the rest goes to the object
// manager as it stands, where a file name is taken literally but a first
// component that is a device's own name (\\?\COM1) or GLOBALROOT reaches a
// device. Nothing is allocated: every export that opens a path asks this
// first, where memory may be short.
template <class Char>
bool names_a_device_of(const Char* path) {
  if (!path) return false;
  if (starts_with(path, u"\\\\.\\")) return true;
  char16_t name[kLongestName];
  std::size_t length = 0;
  if (starts_with(path, u"\\\\?\\") || starts_with(path, u"\\??\\")) {
    const Char* first = path + 4;
    if (starts_with(first, u"GLOBALROOT") && (!first[10] || is_separator(static_cast<char16_t>(first[10])))) return true;
    return name_at(first, name, length, true) && is_device_name(std::u16string_view(name, length));
  }
  const Char* last = path;
  std::size_t i = 0;
  for (std::size_t width; path[i]; i += width)
    if (is_separator(at(path + i, width))) last = path + i + width;
  std::size_t width;
  if (last == path && path[0] && at(path, width) != u'\uFFFF' && path[1] == Char(':')) last = path + 2;  // C:COM1
  return name_at(last, name, length, false) && is_device_name(std::u16string_view(name, length));
}

template <class Char>
std::size_t folder_length_of(const Char* path) {
  std::size_t end = 0, i = 0;
  while (path[i]) {
    if (path[i] == Char('\\') || path[i] == Char('/') || (i == 1 && path[i] == Char(':'))) end = i + 1;
    const bool pair = sizeof(Char) == 1 && cp932::is_cp_lead(static_cast<unsigned char>(path[i])) && path[i + 1];
    i += pair ? 2 : 1;
  }
  return end;
}

}  // namespace

std::size_t folder_length(const char* path) { return folder_length_of(path); }
std::size_t folder_length(const char16_t* path) { return folder_length_of(path); }

// A path whose characters cannot be had counts as a device: it is refused.
bool names_a_device(const char* path) { return guarded(true, [path] { return names_a_device_of(path); }); }
bool names_a_device(const char16_t* path) { return guarded(true, [path] { return names_a_device_of(path); }); }

}  // namespace lmx
